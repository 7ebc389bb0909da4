// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexText.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Position in the upper-case alphabet, or -1: lower case is deliberately not accepted.
constexpr int NibbleOf(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string BytesToHex(const unsigned char* pBytes, std::size_t count) {
    std::string text(2 * count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[pBytes[i] >> 4];
        text[2 * i + 1] = kDigits[pBytes[i] & 0x0F];
    }
    return text;
}

unsigned char HexPairToByte(std::string_view text) {
    unsigned value = 0;
    if (!text.empty()) {
        const int high = NibbleOf(text[0]);
        if (high >= 0) value = static_cast<unsigned>(high) * 16;
    }
    if (text.size() > 1) {
        const int low = NibbleOf(text[1]);
        if (low >= 0) value += static_cast<unsigned>(low);
    }
    return static_cast<unsigned char>(value);
}

void HexPairToByte(std::string_view text, unsigned char* pOut) { *pOut = HexPairToByte(text); }

void HexToBytes(std::string_view text, unsigned char* pOut) {
    for (std::size_t i = 0; i < text.size(); i += 2) pOut[i / 2] = HexPairToByte(text.substr(i, 2));
}

std::uint8_t HexQuotient(std::string_view sizeText, std::string_view divisorText) {
    const unsigned high = HexPairToByte(sizeText.substr(0, 2));
    const unsigned low = HexPairToByte(sizeText.size() > 2 ? sizeText.substr(2, 2) : std::string_view());
    const unsigned divisor = HexPairToByte(divisorText);
    if (divisor == 0) return 0;
    return static_cast<std::uint8_t>((high * 256 + low) / divisor);
}

int HexDigitValue(char c) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return NibbleOf(c);
}
