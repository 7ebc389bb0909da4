// The state file: round trip, atomic replacement, and refusing what it cannot read.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>

#include "SimCardFixture.h"
#include "StateFile.h"

namespace {

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/corvanta-vsim-state-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_strFolder = pattern;
        m_strPath = m_strFolder + "/card.state";
    }
    void TearDown() override {
        for (const std::string& name : Names()) ::unlink((m_strFolder + "/" + name).c_str());
        ::rmdir(m_strFolder.c_str());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        if (DIR* pDir = ::opendir(m_strFolder.c_str())) {
            while (dirent* pEntry = ::readdir(pDir)) {
                std::string name = pEntry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(pDir);
        }
        return names;
    }
    void Write(const std::string& text) { std::ofstream(m_strPath, std::ios::binary) << text; }

    std::string m_strFolder;
    std::string m_strPath;
};

TEST_F(StateFileTest, MissingFileMeansNoStateYet) {
    CSimProfile profile;
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Missing);
}

TEST_F(StateFileTest, SavedStateLoadsBackAndLeavesNoTemporaryFile) {
    CSimCard card(ParseOrDie(TestProfileText()));
    std::vector<std::uint8_t> apdu = FromHex("A020000108 00000000FFFFFFFF");
    card.Process(apdu.data(), apdu.size());

    CStateFile state(m_strPath);
    std::string error;
    ASSERT_TRUE(state.Save(card.GetProfile(), error)) << error;
    ASSERT_TRUE(state.Save(card.GetProfile(), error)) << error;  // over an existing one
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});

    CSimProfile loaded;
    ASSERT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Loaded) << error;
    EXPECT_EQ(loaded.ToText(), card.GetProfile().ToText());
    EXPECT_EQ(loaded.GetCodes().GetAttempts(CChvSet::Chv1), 2);
}

TEST_F(StateFileTest, CorruptStateIsReportedWithItsLine) {
    Write("mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n  data 01 ZZ\nend\n");
    CSimProfile profile;
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error,
              "state file is corrupt: " + m_strPath + ":3: 'ZZ' is neither hex bytes nor \"text\"");
}

TEST_F(StateFileTest, StateWithoutItsEndLineWasCutShort) {
    CSimProfile full = ParseOrDie(TestProfileText());
    std::string text = full.ToText();
    // Cut in the middle of the file list: still well-formed lines, but not all of them.
    Write(text.substr(0, text.find("df 3F00/7F20")));
    CSimProfile profile;
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Failed);
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
}

TEST_F(StateFileTest, FolderInPlaceOfTheStateIsRefusedForLoadAndSave) {
    ASSERT_EQ(::mkdir(m_strPath.c_str(), 0700), 0);
    std::ofstream(m_strPath + "/keep") << "x";  // a rename cannot replace a non-empty folder
    CSimProfile profile = ParseOrDie(TestProfileText());
    std::string error;
    EXPECT_EQ(CStateFile(m_strPath).Load(profile, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error, "state file " + m_strPath + " is not a regular file");
    EXPECT_FALSE(CStateFile(m_strPath).Save(profile, error));
    EXPECT_EQ(Names(), std::vector<std::string>{"card.state"});  // no temporary file left
    ::unlink((m_strPath + "/keep").c_str());
    ::rmdir(m_strPath.c_str());
}

TEST_F(StateFileTest, SaveIntoAMissingFolderFailsAndSaysSo) {
    CSimProfile profile = ParseOrDie(TestProfileText());
    std::string error;
    EXPECT_FALSE(CStateFile(m_strFolder + "/missing/card.state").Save(profile, error));
    EXPECT_NE(error.find("missing/card.state"), std::string::npos) << error;
}

}  // namespace
