// The profile text: the shipped default profile, refusals with line numbers, and the
// writer that the state file uses.

#include "SimCardFixture.h"

namespace {

// The default profile through the writer: each file with its shape and the access
// conditions the program and the end-to-end tests rely on.
TEST(DefaultProfile, HoldsThePhase2Tree) {
    CSimProfile profile;
    std::string error;
    ASSERT_TRUE(profile.Load(CORVANTA_DEFAULT_PROFILE, error)) << error;
    const std::string text = profile.ToText();
    for (const char* file :
         {"adm 0A0A0A0A0A0A0A0A", "ef 3F00/2FE2 transparent size=10 read=ALW update=NEV",
          "ef 3F00/7F10/6F3A linear record=28 records=10 read=CHV1 update=CHV1",
          "ef 3F00/7F10/6F3C linear record=176 records=5 read=CHV1 update=CHV1",
          "ef 3F00/7F10/6F44 cyclic record=28 records=5 read=CHV1 update=CHV1 invalidate",
          "ef 3F00/7F20/6F07 transparent size=9 read=CHV1 update=ADM",
          "ef 3F00/7F20/6F39 cyclic record=3 records=5 read=CHV1 update=CHV1 increase=CHV1",
          "ef 3F00/7F10/6F3B ", "ef 3F00/7F10/6F40 ", "ef 3F00/7F20/6F20 ", "ef 3F00/7F20/6F30 ",
          "ef 3F00/7F20/6F31 ", "ef 3F00/7F20/6F46 ", "ef 3F00/7F20/6F74 ", "ef 3F00/7F20/6F78 ",
          "ef 3F00/7F20/6F7B ", "ef 3F00/7F20/6F7E ", "ef 3F00/7F20/6FAD ", "ef 3F00/7F20/6FAE "})
        EXPECT_NE(text.find(file), std::string::npos) << file;
}

TEST(SimProfile, ErrorsNameTheLineAndTheReason) {
    const std::string mf = "mf 3F00\n";
    const std::string ef = mf + "ef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n";
    const std::string records = mf + "ef 3F00/6F3A linear record=2 records=2 read=ALW update=ALW";
    const std::pair<std::string, std::string> bad[] = {
        {"", "1: no mf line: the profile holds no files"},
        {mf + "# records\nef 3F00/6F3A linear record=0 records=3 read=ALW update=ALW\n",
         "3: record length 0 for a record file"},
        {mf + "file 3F00/2FE2\n", "2: unknown keyword 'file'"},
        {mf + "ef 3F00/2FE2 transparent size=2 read=ALW\n",
         "2: update=... access condition missing"},
        {mf + "ef 3F00/2FE2 transparent size=2 read=PIN update=ALW\n",
         "2: unknown access condition 'PIN' (ALW, CHV1, CHV2, ADM, ADM4..ADME, NEV)"},
        {ef + "  data 01 02 03\n", "3: data longer than the file size 2"},
        {ef + "  data 0G\n", "3: '0G' is neither hex bytes nor \"text\""},
        {mf + "ef 3F00/7F20/6F07 transparent size=9 read=ALW update=ALW\n",
         "2: directory 3F00/7F20 is not defined before its files"},
        {ef + "ef 3F00/2FE2/6F07 transparent size=1 read=ALW update=ALW\n",
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

TEST(SimProfile, CommentsQuotesCrLfAndTheEndLine) {
    CSimProfile profile = ParseOrDie(
        "# header\r\nmf 3F00   # the MF\r\n"
        "ef 3F00/6F46 transparent size=6 read=ALW update=ALW\r\n"
        "    data 01 \"A #1\" FF   # name\r\nend\r\nthis is not read\n");
    const CSimFile* pFile = profile.GetMf()->FindChild(0x6F46);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(ToHex(pFile->GetContent()), "0141202331FF");
    EXPECT_TRUE(profile.HasEndMarker());
}

TEST(SimProfile, WrittenTextReadsBackToTheSameContent) {
    CSimCard card(ParseOrDie(TestProfileText()));
    // Change what a state file must keep: data, a rotated cyclic file, codes, invalidation.
    Prepare(card, "CHV1 ADM 7F10 6F44");
    SendTo(card, "A0DC000302 AAAA");
    Prepare(card, "7F20 6F07");
    SendTo(card, "A0D6000102 1122");
    SendTo(card, "A004000000");
    SendTo(card, "A020000208 00000000FFFFFFFF");
    SendTo(card, "A026000108 31323334FFFFFFFF");
    const std::string text = card.GetProfile().ToText();
    CSimProfile reread = ParseOrDie(text);
    EXPECT_EQ(reread.ToText(), text);
    EXPECT_TRUE(reread.HasEndMarker());
    for (const char* kept :
         {"record 1 AAAA\n    record 2 0101\n    record 3 0202\n", "data 081122101032547698\n",
          "rehabilitate=CHV1 invalidated\n", "chv2 35363738FFFFFFFF attempts=2\n",
          "chv1 31323334FFFFFFFF attempts=3 disabled\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
}

}  // namespace
