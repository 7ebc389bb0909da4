// The profile text: the shipped default profile, refusals with line numbers, and the
// writer that the state file uses.

#include "ParamName.h"
#include "SimCardFixture.h"

namespace {

const CSimFile* Find(const CSimProfile& profile, std::initializer_list<std::uint16_t> path) {
    const CSimFile* pFile = profile.GetMf();
    for (std::uint16_t id : path) {
        if (!pFile) return nullptr;
        pFile = pFile->FindChild(id);
    }
    return pFile;
}

TEST(DefaultProfile, HoldsThePhase2Tree) {
    CSimProfile profile;
    std::string error;
    ASSERT_TRUE(profile.Load(CORVANTA_DEFAULT_PROFILE, error)) << error;

    const CSimFile* pIccid = Find(profile, {0x2FE2});
    ASSERT_NE(pIccid, nullptr);
    EXPECT_EQ(pIccid->GetSize(), 10u);
    EXPECT_EQ(pIccid->GetReadAccess(), CSimFile::Always);
    EXPECT_EQ(pIccid->GetUpdateAccess(), CSimFile::Never);

    const CSimFile* pAdn = Find(profile, {0x7F10, 0x6F3A});
    ASSERT_NE(pAdn, nullptr);
    EXPECT_EQ(pAdn->GetStructure(), CSimFile::Structure::LinearFixed);
    EXPECT_EQ(pAdn->GetRecordLength(), 28u);
    EXPECT_EQ(pAdn->GetRecordCount(), 10u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pAdn->GetRecord(1)), 13), "Alice Example");

    const CSimFile* pSms = Find(profile, {0x7F10, 0x6F3C});
    ASSERT_NE(pSms, nullptr);
    EXPECT_EQ(pSms->GetRecordLength(), 176u);
    EXPECT_EQ(Find(profile, {0x7F10, 0x6F44})->GetStructure(), CSimFile::Structure::Cyclic);

    const CSimFile* pImsi = Find(profile, {0x7F20, 0x6F07});
    ASSERT_NE(pImsi, nullptr);
    EXPECT_EQ(pImsi->GetSize(), 9u);
    EXPECT_EQ(pImsi->GetReadAccess(), CSimFile::Chv1);
    EXPECT_EQ(pImsi->GetUpdateAccess(), CSimFile::Adm);

    const CSimFile* pAcm = Find(profile, {0x7F20, 0x6F39});
    ASSERT_NE(pAcm, nullptr);
    EXPECT_TRUE(pAcm->IsIncreaseAllowed());
    EXPECT_EQ(pAcm->GetRecordLength(), 3u);

    for (std::uint16_t id : {0x6F3B, 0x6F40})
        EXPECT_NE(Find(profile, {0x7F10, id}), nullptr) << std::hex << id;
    for (std::uint16_t id :
         {0x6F20, 0x6F30, 0x6F31, 0x6F46, 0x6F74, 0x6F78, 0x6F7B, 0x6F7E, 0x6FAD, 0x6FAE})
        EXPECT_NE(Find(profile, {0x7F20, id}), nullptr) << std::hex << id;

    const CChvSet& codes = profile.GetCodes();
    EXPECT_EQ(ToHex({codes.GetValue(CChvSet::Chv1).begin(), codes.GetValue(CChvSet::Chv1).end()}),
              "31323334FFFFFFFF");
    EXPECT_EQ(ToHex({codes.GetValue(CChvSet::Adm).begin(), codes.GetValue(CChvSet::Adm).end()}),
              "0A0A0A0A0A0A0A0A");
}

struct BadProfile {
    const char* text;
    const char* error;
};

class ProfileErrors : public ::testing::TestWithParam<BadProfile> {};

TEST_P(ProfileErrors, NameTheLineAndTheReason) {
    CSimProfile profile;
    std::string error;
    EXPECT_FALSE(profile.Parse(GetParam().text, "bad.sim", error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(profile.GetMf(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    SimProfile, ProfileErrors,
    ::testing::Values(
        BadProfile{
            "mf 3F00\n# records\nef 3F00/6F3A linear record=0 records=3 read=ALW update=ALW\n",
            "bad.sim:3: record length 0 for a record file"},
        BadProfile{"", "bad.sim:1: no mf line: the profile holds no files"},
        BadProfile{"mf 3F00\nfile 3F00/2FE2\n", "bad.sim:2: unknown keyword 'file'"},
        BadProfile{"mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW\n",
                   "bad.sim:2: update=... access condition missing"},
        BadProfile{"mf 3F00\nef 3F00/2FE2 transparent size=2 read=PIN update=ALW\n",
                   "bad.sim:2: unknown access condition 'PIN' (ALW, CHV1, CHV2, ADM, ADM4..ADME, "
                   "NEV)"},
        BadProfile{
            "mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n  data 01 02 03\n",
            "bad.sim:3: data longer than the file size 2"},
        BadProfile{"mf 3F00\nef 3F00/2FE2 transparent size=2 read=ALW update=ALW\n  data 0G\n",
                   "bad.sim:3: '0G' is neither hex bytes nor \"text\""},
        BadProfile{"mf 3F00\nef 3F00/7F20/6F07 transparent size=9 read=ALW update=ALW\n",
                   "bad.sim:2: directory 3F00/7F20 is not defined before its files"},
        BadProfile{"mf 3F00\nef 3F00/2FE2 transparent size=1 read=ALW update=ALW\n"
                   "ef 3F00/2FE2/6F07 transparent size=1 read=ALW update=ALW\n",
                   "bad.sim:3: 2FE2 is an EF, not a directory"},
        BadProfile{"mf 3F00\ndf 3F00/7F20\ndf 3F00/7F20\n",
                   "bad.sim:3: file 3F00/7F20 given twice"},
        BadProfile{"mf 3F00\ndf 3F00/7F20\ndf 3F00/7F20/7F20\n",
                   "bad.sim:3: a file cannot have the id of its own directory"},
        BadProfile{"df 7F20\n", "bad.sim:1: a path starts at the MF 3F00"},
        BadProfile{"mf 3F00\ndf 3F00/7F2\n", "bad.sim:2: '7F2' is not a file id of 4 hex digits"},
        BadProfile{"mf 3F00\nef 3F00/6F3A linear record=2 records=2 read=ALW update=ALW\n"
                   "  record 3 00\n",
                   "bad.sim:3: record needs a number from 1 to 2"},
        BadProfile{"mf 3F00\nef 3F00/6F3A linear record=2 records=2 read=ALW update=ALW\n"
                   "  record 1 00\n  record 1 01 02\n",
                   "bad.sim:4: record 1 longer than the record length 2"},
        BadProfile{"mf 3F00\nef 3F00/6F3A linear record=2 records=2 read=ALW update=ALW "
                   "increase=CHV1\n",
                   "bad.sim:2: increase=... applies to cyclic files only"},
        BadProfile{"chv1 3132\nmf 3F00\n",
                   "bad.sim:1: chv1 needs a value of 8 bytes in hex (16 digits)"},
        BadProfile{"chv1 31323334FFFFFFFF attempts=4\nmf 3F00\n",
                   "bad.sim:1: attempts of chv1 must be 0 to 3"},
        BadProfile{"mf 3F00\nend now\n", "bad.sim:2: unexpected text after end"}),
    [](const auto& info) { return ParamName(info.index, info.param.error); });

TEST(SimProfile, CommentsQuotesAndCrLf) {
    CSimProfile profile = ParseOrDie(
        "# header\r\nmf 3F00   # the MF\r\n"
        "ef 3F00/6F46 transparent size=6 read=ALW update=ALW\r\n"
        "    data 01 \"A #1\" FF   # name\r\n");
    const CSimFile* pFile = profile.GetMf()->FindChild(0x6F46);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(ToHex(pFile->GetContent()), "0141202331FF");
}

TEST(SimProfile, TextAfterEndIsNotRead) {
    CSimProfile profile = ParseOrDie("mf 3F00\nend\nthis is not read\n");
    EXPECT_TRUE(profile.HasEndMarker());
}

TEST(SimProfile, WrittenTextReadsBackToTheSameContent) {
    CSimCard card(ParseOrDie(TestProfileText()));
    // Change what a state file must keep: data, a rotated cyclic file, codes, invalidation.
    for (const char* apdu : {"A020000108 31323334FFFFFFFF", "A020000A08 0A0A0A0A0A0A0A0A",
                             "A0A4000002 7F10", "A0A4000002 6F44", "A0DC000302 AAAA",
                             "A0A4000002 7F20", "A0A4000002 6F07", "A0D6000102 1122", "A004000000",
                             "A020000208 00000000FFFFFFFF", "A026000108 31323334FFFFFFFF"}) {
        std::vector<std::uint8_t> bytes = FromHex(apdu);
        card.Process(bytes.data(), bytes.size());
    }
    std::string text = card.GetProfile().ToText();
    CSimProfile reread = ParseOrDie(text);
    EXPECT_EQ(reread.ToText(), text);
    EXPECT_TRUE(reread.HasEndMarker());

    const CSimFile* pLnd = Find(reread, {0x7F10, 0x6F44});
    EXPECT_EQ(ToHex({pLnd->GetRecord(1), pLnd->GetRecord(1) + 2}), "AAAA");
    EXPECT_EQ(ToHex({pLnd->GetRecord(3), pLnd->GetRecord(3) + 2}), "0202");
    const CSimFile* pImsi = Find(reread, {0x7F20, 0x6F07});
    EXPECT_EQ(ToHex(pImsi->GetContent()), "081122101032547698");
    EXPECT_TRUE(pImsi->IsInvalidated());
    EXPECT_EQ(reread.GetCodes().GetAttempts(CChvSet::Chv2), 2);
    EXPECT_FALSE(reread.GetCodes().IsChv1Enabled());
}

}  // namespace
