// SPDX-License-Identifier: GPL-3.0-or-later
#include "BcdDigits.h"

namespace {

constexpr char kDialDigits[] = "0123456789*#P?E";
constexpr char kPlainDigits[] = "0123456789ABCDE";

std::string DecodeNibbles(std::string_view bytes, const char* pDigits) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        const unsigned value = static_cast<unsigned char>(byte);
        for (unsigned nibble : {value & 0x0F, value >> 4}) {
            if (nibble == 0x0F) return out;
            out += pDigits[nibble];
        }
    }
    return out;
}

}  // namespace

int BcdNibbleOf(char digit) {
    if (digit == 'p') digit = 'P';
    if (digit == 'e') digit = 'E';
    for (int nibble = 0; nibble < 15; ++nibble) {
        if (kDialDigits[nibble] == digit) return nibble;
    }
    return -1;
}

std::string DecodeBcdDigits(std::string_view bytes) {
    return DecodeNibbles(bytes, kDialDigits);
}

std::string DecodeSwappedBcd(std::string_view bytes) {
    return DecodeNibbles(bytes, kPlainDigits);
}

std::optional<std::string> EncodeBcdDigits(std::string_view digits) {
    std::string out((digits.size() + 1) / 2, '\xFF');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int nibble = BcdNibbleOf(digits[i]);
        if (nibble < 0) return std::nullopt;
        unsigned char& byte = reinterpret_cast<unsigned char&>(out[i / 2]);
        byte = i % 2 == 0 ? static_cast<unsigned char>(0xF0 | nibble)
                          : static_cast<unsigned char>((byte & 0x0F) | (nibble << 4));
    }
    return out;
}
