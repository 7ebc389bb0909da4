// SPDX-License-Identifier: GPL-3.0-or-later
// The profile text (refusals with line numbers; comments, quotes, CRLF and the end line
// are in the test profile) and the state file that holds it as written: round trip,
// atomic replacement, refusing what it cannot read. The shipped default profile is read by
// the program's test.

#include <filesystem>
#include <fstream>

#include "SimCardFixture.h"
#include "StateFile.h"
#include "TempDir.h"

namespace {

TEST(SimProfile, ErrorsNameTheLineAndTheReason) {
    const std::string mf = "mf 3F00\n", ef = mf + "ef 3F00/2FE2 transparent size=2 ";
    const std::string rights = "read=ALW update=ALW\n", data = ef + rights + "  data ";
    const std::string records = mf + "ef 3F00/6F3A linear record=2 records=2 read=ALW update=ALW";
    const std::pair<std::string, std::string> bad[] = {
        {"", "1: no mf line: the profile holds no files"},
        {mf + "# records\nef 3F00/6F3A linear record=0 records=3 " + rights,
         "3: record length 0 for a record file"},
        {mf + "file 3F00/2FE2\n", "2: unknown keyword 'file'"},
        {ef + "read=ALW\n", "2: update=... access condition missing"},
        {ef + "read=PIN update=ALW\n",
         "2: unknown access condition 'PIN' (ALW, CHV1, CHV2, ADM, ADM4..ADME, NEV, RFU)"},
        {data + "01 02 03\n", "3: data longer than the file size 2"},
        {data + "0G\n", "3: '0G' is neither hex bytes nor \"text\""},
        {mf + "ef 3F00/7F20/6F07 transparent size=9 " + rights,
         "2: directory 3F00/7F20 is not defined before its files"},
        {ef + rights + "ef 3F00/2FE2/6F07 transparent size=1 " + rights,
         "3: 2FE2 is an EF, not a directory"},
        {mf + "df 3F00/7F20\ndf 3F00/7F20\n", "3: file 3F00/7F20 given twice"},
        {mf + "df 3F00/7F20\ndf 3F00/7F20/7F20\n",
         "3: a file cannot have the id of its own directory"},
        {"df 7F20\n", "1: a path starts at the MF 3F00"},
        {mf + "df 3F00/7F2\n", "2: '7F2' is not a file id of 4 hex digits"},
        {records + "\n  record 3 00\n", "3: record needs a number from 1 to 2"},
        {records + "\n  record 1 00\n  record 1 01 02\n",
         "4: record 1 longer than the record length 2"},
        {records + " increase=CHV1\n", "2: increase=... applies to cyclic files only"},
        {"chv1 3132\n" + mf, "1: chv1 needs a value of 8 bytes in hex (16 digits)"},
        {"chv1 31323334FFFFFFFF attempts=4\n" + mf, "1: attempts of chv1 must be 0 to 3"},
        {mf + "end now\n", "2: unexpected text after end"},
    };
    for (const auto& [text, message] : bad) {
        CSimProfile profile;
        std::string error;
        EXPECT_FALSE(profile.Parse(text, "bad.sim", error)) << message;
        EXPECT_EQ(error, "bad.sim:" + message);
        EXPECT_EQ(profile.GetMf(), nullptr) << message;
    }
}

// What a state file must keep (data, a rotated cyclic file, codes, invalidation) is
// written over an older state and reads back the same; a corrupt state, one cut short, a
// folder in its place and a missing folder are refused.
TEST(StateFile, KeepsTheChangesAndRefusesWhatItCannotReadOrWrite) {
    CSimCard card(ParseOrDie(TestProfileText()));
    Play(card,
         "CHV1 ADM 7F10 6F44; A0DC000302 AAAA > 9000; 7F20 6F07; A0D6000102 1122 > 9000;"
         "A004000000 > 9000; A020000208 00000000FFFFFFFF > 9804;"
         "A026000108 31323334FFFFFFFF > 9000");
    CTempDir dir;
    const std::string path = dir.File("card.state");
    CStateFile state(path);
    CSimProfile loaded;
    std::string error;
    EXPECT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Missing);
    ASSERT_TRUE(state.Save(ParseOrDie("mf 3F00\n"), error)) << error;
    ASSERT_TRUE(state.Save(card.GetProfile(), error)) << error;
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    ASSERT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Loaded) << error;
    const std::string text = loaded.ToText();
    EXPECT_EQ(text, card.GetProfile().ToText());
    for (const char* kept :
         {"record 1 AAAA\n    record 2 0101\n    record 3 0202\n", "data 081122101032547698\n",
          "rehabilitate=CHV1 invalidated\n", "chv2 35363738FFFFFFFF attempts=2\n",
          "chv1 31323334FFFFFFFF attempts=3 disabled\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;

    std::ofstream(path) << "mf 3F00\nthis is not a state\nend\n";
    EXPECT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error, "state file is corrupt: " + path + ":2: unknown keyword 'this'");
    std::ofstream(path) << text.substr(0, text.find("df 3F00/7F20"));  // lines, not all
    EXPECT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Failed);
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    ASSERT_TRUE(std::filesystem::remove(path));
    ASSERT_TRUE(std::filesystem::create_directory(path));
    std::ofstream(path + "/keep") << "x";  // a rename cannot replace a non-empty folder
    EXPECT_EQ(state.Load(loaded, error), CStateFile::LoadResult::Failed);
    EXPECT_EQ(error, "state file " + path + " is not a regular file");
    EXPECT_FALSE(state.Save(card.GetProfile(), error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_FALSE(CStateFile(dir.File("missing/card.state")).Save(loaded, error));
    EXPECT_NE(error.find("missing/card.state"), std::string::npos) << error;
}

}  // namespace
