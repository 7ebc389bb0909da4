// READ BINARY and UPDATE BINARY: offsets, ranges and the conditions they check.

#include "SimCardFixture.h"

namespace {

using SimCardTransparent = SimCardTest;

TEST_F(SimCardTransparent, ReadsAtOffsets) {
    EXPECT_EQ(SelectPath("3F00 2FE2"), "9F0F");
    EXPECT_EQ(Send("A0B000000A"),
              "98000101000000"
              "1032F4"
              "9000");
    EXPECT_EQ(Send("A0B0000703"), "1032F49000");
    EXPECT_EQ(Send("A0B0000901"), "F49000");
}

TEST_F(SimCardTransparent, ReadBeyondTheEndIsOutOfRange) {
    SelectPath("3F00 2FE2");
    EXPECT_EQ(Send("A0B0000A01"), "9402");  // offset at the end
    EXPECT_EQ(Send("A0B0000902"), "9402");  // last byte plus one
    EXPECT_EQ(Send("A0B0FF0001"), "9402");  // large offset
    EXPECT_EQ(Send("A0B0000000"), "9402");  // P3 00 asks for 256 bytes
    EXPECT_EQ(Send("A0B00000"), "9402");    // no P3: read as 00
}

TEST_F(SimCardTransparent, UpdateWritesAndReadsBack) {
    SelectPath("3F00 7F20 6F78");
    EXPECT_EQ(Send("A0D6000101 07"), "9000");
    EXPECT_EQ(Send("A0B0000002"), "00079000");
    EXPECT_TRUE(m_card.TakeChanged());
    EXPECT_FALSE(m_card.TakeChanged());
}

TEST_F(SimCardTransparent, UpdateBeyondTheEndChangesNothing) {
    SelectPath("3F00 7F20 6F78");
    EXPECT_EQ(Send("A0D6000102 AABB"), "9402");
    EXPECT_EQ(Send("A0D6010000"), "9402");
    EXPECT_EQ(Send("A0B0000002"), "00029000");
    EXPECT_FALSE(m_card.TakeChanged());
}

TEST_F(SimCardTransparent, UpdateDataMustMatchP3) {
    SelectPath("3F00 7F20 6F78");
    EXPECT_EQ(Send("A0D6000002 AA"), "6700");
    EXPECT_EQ(Send("A0D6000001 AABB"), "6700");
    EXPECT_EQ(Send("A0B0000002"), "00029000");
}

TEST_F(SimCardTransparent, ReadDataMustNotCarryData) {
    SelectPath("3F00 2FE2");
    EXPECT_EQ(Send("A0B0000001 00"), "6700");
}

TEST_F(SimCardTransparent, NoEfAndWrongStructure) {
    EXPECT_EQ(Send("A0B0000001"), "9400");
    EXPECT_EQ(Send("A0D6000001 00"), "9400");
    VerifyChv1();
    SelectPath("3F00 7F10 6F3A");
    EXPECT_EQ(Send("A0B0000001"), "9408");
    EXPECT_EQ(Send("A0D6000001 00"), "9408");
}

TEST_F(SimCardTransparent, AccessConditionsOfReadAndUpdate) {
    SelectPath("3F00 2FE2");
    EXPECT_EQ(Send("A0D6000001 00"), "9804");  // NEV, even for the administrator
    VerifyAdm();
    EXPECT_EQ(Send("A0D6000001 00"), "9804");

    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A0B0000009"), "9804");  // CHV1 not yet given
    EXPECT_EQ(VerifyChv1(), "9000");
    EXPECT_EQ(Send("A0B0000009"), "0809101010325476989000");
    EXPECT_EQ(Send("A0D6000001 09"), "9000");  // ADM given above

    SelectPath("3F00 7F20 6F7B");
    EXPECT_EQ(Send("A0B0000001"), "9804");  // CHV2
    EXPECT_EQ(VerifyChv2(), "9000");
    EXPECT_EQ(Send("A0B0000001"), "FF9000");
}

TEST_F(SimCardTransparent, AdmCoversEveryAdministrativeLevel) {
    CSimCard card(ParseOrDie(std::string(TestProfileText()) +
                             "ef 3F00/6F01 transparent size=1 read=ADME update=ADM7\n"));
    auto send = [&](const std::string& hex) {
        std::vector<std::uint8_t> bytes = FromHex(hex);
        return ToHex(card.Process(bytes.data(), bytes.size()));
    };
    send("A0A4000002 6F01");
    EXPECT_EQ(send("A0B0000001"), "9804");
    EXPECT_EQ(send("A020000A08 0A0A0A0A0A0A0A0A"), "9000");
    EXPECT_EQ(send("A0B0000001"), "FF9000");
    EXPECT_EQ(send("A0D6000001 01"), "9000");
}

}  // namespace
