// The profile text: the shipped default profile, refusals with line numbers, and the
// writer that the state file uses.

#include <sstream>

#include "SimCardFixture.h"

namespace {

const CSimFile* Find(const CSimProfile& profile, const std::string& path) {
    const CSimFile* pFile = profile.GetMf();
    for (std::size_t at = 0; pFile && at + 4 <= path.size(); at += 5)
        pFile = pFile->FindChild(
            static_cast<std::uint16_t>(std::stoi(path.substr(at, 4), nullptr, 16)));
    return pFile;
}

// Structure, size, record length, then read, update and increase access in hex.
std::string Shape(const CSimProfile& profile, const std::string& path) {
    const CSimFile* pFile = Find(profile, path);
    if (!pFile) return "missing";
    std::ostringstream shape;
    shape << int(pFile->GetStructure()) << ' ' << pFile->GetSize() << ' '
          << pFile->GetRecordLength() << ' ' << std::hex << std::uppercase
          << int(pFile->GetReadAccess()) << int(pFile->GetUpdateAccess())
          << int(pFile->GetIncreaseAccess());
    return shape.str();
}

TEST(DefaultProfile, HoldsThePhase2Tree) {
    CSimProfile profile;
    std::string error;
    ASSERT_TRUE(profile.Load(CORVANTA_DEFAULT_PROFILE, error)) << error;
    EXPECT_EQ(Shape(profile, "2FE2"), "0 10 0 0FF");
    EXPECT_EQ(Shape(profile, "7F10 6F3A"), "1 280 28 11F");
    EXPECT_EQ(Shape(profile, "7F10 6F3C"), "1 880 176 11F");
    EXPECT_EQ(Shape(profile, "7F10 6F44"), "3 140 28 11F");
    EXPECT_EQ(Shape(profile, "7F20 6F07"), "0 9 0 14F");
    EXPECT_EQ(Shape(profile, "7F20 6F39"), "3 15 3 111");
    for (const char* path :
         {"7F10 6F3B", "7F10 6F40", "7F20 6F20", "7F20 6F30", "7F20 6F31", "7F20 6F46", "7F20 6F74",
          "7F20 6F78", "7F20 6F7B", "7F20 6F7E", "7F20 6FAD", "7F20 6FAE"})
        EXPECT_NE(Find(profile, path), nullptr) << path;
    // CHV1 and the phone book are used through the card by the program and end-to-end tests.
    const CChvSet::Value& adm = profile.GetCodes().GetValue(CChvSet::Adm);
    EXPECT_EQ(ToHex({adm.begin(), adm.end()}), "0A0A0A0A0A0A0A0A");
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
    std::string text = card.GetProfile().ToText();
    CSimProfile reread = ParseOrDie(text);
    EXPECT_EQ(reread.ToText(), text);
    EXPECT_TRUE(reread.HasEndMarker());

    const CSimFile* pLnd = Find(reread, "7F10 6F44");
    EXPECT_EQ(ToHex({pLnd->GetRecord(1), pLnd->GetRecord(1) + 2}), "AAAA");
    EXPECT_EQ(ToHex({pLnd->GetRecord(3), pLnd->GetRecord(3) + 2}), "0202");
    const CSimFile* pImsi = Find(reread, "7F20 6F07");
    EXPECT_EQ(ToHex(pImsi->GetContent()), "081122101032547698");
    EXPECT_TRUE(pImsi->IsInvalidated());
    EXPECT_EQ(reread.GetCodes().GetAttempts(CChvSet::Chv2), 2);
    EXPECT_FALSE(reread.GetCodes().IsChv1Enabled());
}

}  // namespace
