#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HexText.h"

// Half the text's length rounded up is written, and not a byte more; a character that is
// not an upper-case digit is a zero nibble, in its place.
TEST(HexText, HexToBytesReadsPairsFromTheFirstCharacter) {
    const struct {
        const char* text;
        const char* bytes;  // then the untouched guard byte EE
    } cases[] = {
        {"", "EE"},           {"A0A4000002", "A0A4000002EE"},
        {"ABC", "ABC0EE"},    {"A0 A4", "A00A40EE"},
        {"a0a4", "0004EE"},   {"9G1f", "9010EE"},
        {"\xFF\x80", "00EE"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes((std::strlen(c.text) + 1) / 2 + 1, 0xEE);
        HexToBytes(c.text, bytes.data());
        EXPECT_EQ(BytesToHex(bytes.data(), bytes.size()), c.bytes) << c.text;
    }
}

// File size / record length, truncated to 8 bits; a missing or zero divisor gives 0.
TEST(HexText, QuotientOfFileSizeAndRecordLengthNeverFaults) {
    const struct {
        const char* size;
        const char* divisor;
        int quotient;
    } cases[] = {
        {"00B0", "1C", 6}, {"06E0", "B0", 10}, {"0100", "01", 0}, {"FFFF", "FF", 1},
        {"00B0", "00", 0}, {"00B0", "", 0},    {"", "1C", 0},     {"B", "1C", 0xB000 / 0x1C % 256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexQuotient(c.size, c.divisor), c.quotient) << c.size << " / " << c.divisor;
}
