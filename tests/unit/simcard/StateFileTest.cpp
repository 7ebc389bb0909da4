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
        return m_state.Load(profile, error);
    }

    CTempDir m_dir;
    std::string m_strPath = m_dir.File("card.state");
    CStateFile m_state{m_strPath};
    CSimProfile m_profile = ParseOrDie(TestProfileText());
};

TEST_F(StateFileTest, SavedStateLoadsBackAndLeavesNoTemporaryFile) {
    CSimProfile loaded;
    std::string error;
    EXPECT_EQ(m_state.Load(loaded, error), CStateFile::LoadResult::Missing);
    ASSERT_TRUE(m_state.Save(m_profile, error)) << error;
    m_profile.GetCodes().Verify(CChvSet::Chv2, FromHex("00000000FFFFFFFF").data());
    ASSERT_TRUE(m_state.Save(m_profile, error)) << error;  // over an existing one
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});
    ASSERT_EQ(m_state.Load(loaded, error), CStateFile::LoadResult::Loaded) << error;
    EXPECT_EQ(loaded.ToText(), m_profile.ToText());
    EXPECT_EQ(loaded.GetCodes().GetAttempts(CChvSet::Chv2), 2);
}

TEST_F(StateFileTest, CorruptOrCutShortStateIsRefused) {
    std::string error;
    EXPECT_EQ(Load("mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n  data ZZ\nend\n",
                   error),
              CStateFile::LoadResult::Failed);
    EXPECT_EQ(error,
              "state file is corrupt: " + m_strPath + ":3: 'ZZ' is neither hex bytes nor \"text\"");
    // Cut in the middle of the file list: still well-formed lines, but not all of them.
    const std::string text = m_profile.ToText();
    EXPECT_EQ(Load(text.substr(0, text.find("df 3F00/7F20")), error),
              CStateFile::LoadResult::Failed);
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
}

TEST_F(StateFileTest, FolderInPlaceOfTheStateOrAMissingFolderIsRefused) {
    ASSERT_EQ(::mkdir(m_strPath.c_str(), 0700), 0);
    std::ofstream(m_strPath + "/keep") << "x";  // a rename cannot replace a non-empty folder
    std::string error;
    EXPECT_EQ(m_state.Load(m_profile, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error, "state file " + m_strPath + " is not a regular file");
    EXPECT_FALSE(m_state.Save(m_profile, error));
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});  // no temporary file left

    EXPECT_FALSE(CStateFile(m_dir.File("missing/card.state")).Save(m_profile, error));
    EXPECT_NE(error.find("missing/card.state"), std::string::npos) << error;
}

}  // namespace
