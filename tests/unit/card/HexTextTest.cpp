#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HexText.h"

namespace {

std::vector<unsigned char> ToBytes(const std::string& text) {
    std::vector<unsigned char> bytes((text.size() + 1) / 2 + 1, 0xEE);  // one guard byte
    HexToBytes(text, bytes.data());
    return bytes;
}

}  // namespace

TEST(HexText, AllByteValuesRoundTrip) {
    std::vector<unsigned char> all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
    const std::string text = BytesToHex(all.data(), all.size());
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 8), "00010203");
    EXPECT_EQ(text.substr(496), "F8F9FAFBFCFDFEFF");
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    std::vector<unsigned char> back(256);
    HexToBytes(text, back.data());
    EXPECT_EQ(back, all);
    EXPECT_EQ(BytesToHex(nullptr, 0), "");
}

TEST(HexText, HexToBytesWritesExactlyHalfRoundedUp) {
    EXPECT_EQ(ToBytes(""), (std::vector<unsigned char>{0xEE}));
    EXPECT_EQ(ToBytes("A0A4000002"),
              (std::vector<unsigned char>{0xA0, 0xA4, 0x00, 0x00, 0x02, 0xEE}));
    EXPECT_EQ(ToBytes("ABC"), (std::vector<unsigned char>{0xAB, 0xC0, 0xEE}));
    EXPECT_EQ(ToBytes("A0C"), (std::vector<unsigned char>{0xA0, 0xC0, 0xEE}));
}

TEST(HexText, NonDigitsAreZeroNibblesWithoutRealigning) {
    EXPECT_EQ(ToBytes("A0 A4"), (std::vector<unsigned char>{0xA0, 0x0A, 0x40, 0xEE}));
    EXPECT_EQ(ToBytes("a0a4"), (std::vector<unsigned char>{0x00, 0x04, 0xEE}));
    EXPECT_EQ(HexPairToByte("GZ"), 0x00);
    EXPECT_EQ(HexPairToByte("9g"), 0x90);
    EXPECT_EQ(HexPairToByte("a5"), 0x05);
    EXPECT_EQ(HexPairToByte("1f"), 0x10);
    EXPECT_EQ(HexPairToByte("A"), 0xA0);
    EXPECT_EQ(HexPairToByte(""), 0x00);
    EXPECT_EQ(HexPairToByte("\xFF\x80"), 0x00);
    EXPECT_EQ(HexPairToByte("FF00"), 0xFF);  // only two characters read
    unsigned char out = 0x55;
    HexPairToByte("3C", &out);
    EXPECT_EQ(out, 0x3C);
}

TEST(HexText, QuotientOfFileSizeAndRecordLength) {
    EXPECT_EQ(HexQuotient("00B0", "1C"), 6);
    EXPECT_EQ(HexQuotient("0100", "01"), 0x00);  // 256 truncated to 8 bits
    EXPECT_EQ(HexQuotient("00FF", "01"), 0xFF);
    EXPECT_EQ(HexQuotient("06E0", "B0"), 10);
    EXPECT_EQ(HexQuotient("FFFF", "FF"), 0x01);  // 257 truncated
}

TEST(HexText, QuotientNeverFaults) {
    EXPECT_EQ(HexQuotient("00B0", "00"), 0);
    EXPECT_EQ(HexQuotient("00B0", ""), 0);
    EXPECT_EQ(HexQuotient("", "1C"), 0);
    EXPECT_EQ(HexQuotient("B", "1C"), 0xB000 / 0x1C % 256);  // short text: low pair missing
    EXPECT_EQ(HexQuotient("zz", "zz"), 0);
}
