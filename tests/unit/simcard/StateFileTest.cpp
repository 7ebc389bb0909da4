// The state file: round trip, atomic replacement, and refusing what it cannot read.

#include <sys/stat.h>
#include <filesystem>
#include <fstream>

#include "SimCardFixture.h"
#include "StateFile.h"
#include "TempDir.h"

namespace {

class StateFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    CStateFile::LoadResult Load(const std::string& text, std::string& error) {
        std::ofstream(m_strPath, std::ios::binary) << text;
        CSimProfile profile;
        return CStateFile(m_strPath).Load(profile, error);
    }

    CTempDir m_dir;
    std::string m_strPath = m_dir.File("card.state");
};

TEST_F(StateFileTest, SavedStateLoadsBackAndLeavesNoTemporaryFile) {
    CSimProfile profile;
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Missing);

    CSimCard card(ParseOrDie(TestProfileText()));
    SendTo(card, "A020000108 00000000FFFFFFFF");
    CStateFile state(m_strPath);
    ASSERT_TRUE(state.Save(card.GetProfile(), error)) << error;
    ASSERT_TRUE(state.Save(card.GetProfile(), error)) << error;  // over an existing one
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});
    ASSERT_EQ(state.Load(profile, error), CStateFile::LoadResult::Loaded) << error;
    EXPECT_EQ(profile.ToText(), card.GetProfile().ToText());
    EXPECT_EQ(profile.GetCodes().GetAttempts(CChvSet::Chv1), 2);
}

TEST_F(StateFileTest, CorruptOrCutShortStateIsRefused) {
    std::string error;
    EXPECT_EQ(
        Load("mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n  data 01 ZZ\nend\n",
             error),
        CStateFile::LoadResult::Failed);
    EXPECT_EQ(error,
              "state file is corrupt: " + m_strPath + ":3: 'ZZ' is neither hex bytes nor \"text\"");
    // Cut in the middle of the file list: still well-formed lines, but not all of them.
    const std::string text = ParseOrDie(TestProfileText()).ToText();
    EXPECT_EQ(Load(text.substr(0, text.find("df 3F00/7F20")), error),
              CStateFile::LoadResult::Failed);
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
}

TEST_F(StateFileTest, FolderInPlaceOfTheStateOrAMissingFolderIsRefused) {
    ASSERT_EQ(::mkdir(m_strPath.c_str(), 0700), 0);
    std::ofstream(m_strPath + "/keep") << "x";  // a rename cannot replace a non-empty folder
    CSimProfile profile = ParseOrDie(TestProfileText());
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error, "state file " + m_strPath + " is not a regular file");
    EXPECT_FALSE(CStateFile(m_strPath).Save(profile, error));
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});  // no temporary file left

    EXPECT_FALSE(CStateFile(m_dir.File("missing/card.state")).Save(profile, error));
    EXPECT_NE(error.find("missing/card.state"), std::string::npos) << error;
}

}  // namespace
