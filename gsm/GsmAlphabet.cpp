// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsmAlphabet.h"

#include "Ucs2Text.h"

// libosmogsm's headers declare C functions without a C++ guard.
extern "C" {
#include <osmocom/gsm/gsm_utils.h>
}

#include <array>
#include <vector>

namespace {

constexpr unsigned char kEscape = 0x1B;

// TS 23.038 6.2.1, the default alphabet by septet, eight a row.
// clang-format off
constexpr std::array<char32_t, 128> kDefault = {
    U'@',    U'\u00A3', U'$',     U'\u00A5', U'\u00E8', U'\u00E9', U'\u00F9', U'\u00EC',
    U'\u00F2', U'\u00C7', U'\n',  U'\u00D8', U'\u00F8', U'\r',     U'\u00C5', U'\u00E5',
    U'\u0394', U'_',    U'\u03A6', U'\u0393', U'\u039B', U'\u03A9', U'\u03A0', U'\u03A8',
    U'\u03A3', U'\u0398', U'\u039E', U' ',   U'\u00C6', U'\u00E6', U'\u00DF', U'\u00C9',
    U' ',    U'!',    U'"',    U'#',    U'\u00A4', U'%',    U'&',    U'\'',
    U'(',    U')',    U'*',    U'+',    U',',    U'-',    U'.',    U'/',
    U'0',    U'1',    U'2',    U'3',    U'4',    U'5',    U'6',    U'7',
    U'8',    U'9',    U':',    U';',    U'<',    U'=',    U'>',    U'?',
    U'\u00A1', U'A',  U'B',    U'C',    U'D',    U'E',    U'F',    U'G',
    U'H',    U'I',    U'J',    U'K',    U'L',    U'M',    U'N',    U'O',
    U'P',    U'Q',    U'R',    U'S',    U'T',    U'U',    U'V',    U'W',
    U'X',    U'Y',    U'Z',    U'\u00C4', U'\u00D6', U'\u00D1', U'\u00DC', U'\u00A7',
    U'\u00BF', U'a',  U'b',    U'c',    U'd',    U'e',    U'f',    U'g',
    U'h',    U'i',    U'j',    U'k',    U'l',    U'm',    U'n',    U'o',
    U'p',    U'q',    U'r',    U's',    U't',    U'u',    U'v',    U'w',
    U'x',    U'y',    U'z',    U'\u00E4', U'\u00F6', U'\u00F1', U'\u00FC', U'\u00E0',
};
// clang-format on

struct CExtension {
    unsigned char m_nSeptet;
    char32_t m_char;
};

// TS 23.038 6.2.1.1, the extension table's characters (after an escape).
constexpr std::array<CExtension, 10> kExtension = {{
    {0x0A, U'\f'},
    {0x14, U'^'},
    {0x28, U'{'},
    {0x29, U'}'},
    {0x2F, U'\\'},
    {0x3C, U'['},
    {0x3D, U'~'},
    {0x3E, U']'},
    {0x40, U'|'},
    {0x65, U'\u20AC'},
}};

const char32_t* ExtensionChar(unsigned char septet) {
    for (const CExtension& entry : kExtension) {
        if (entry.m_nSeptet == septet) return &entry.m_char;
    }
    return nullptr;
}

// The septets of one character: one, two (escape + code) or none (-1 in the first).
std::array<int, 2> SeptetsOf(char32_t c) {
    // The escape septet is not a character of its own; a space is 0x20.
    for (int septet = 0; septet < 128; ++septet) {
        if (septet != kEscape && kDefault[septet] == c) return {septet, -1};
    }
    for (const CExtension& entry : kExtension) {
        if (entry.m_char == c) return {kEscape, entry.m_nSeptet};
    }
    return {-1, -1};
}

}  // namespace

std::string GsmSeptetsToUtf8(std::string_view septets) {
    std::string out;
    for (std::size_t i = 0; i < septets.size(); ++i) {
        const unsigned char septet = static_cast<unsigned char>(septets[i]) & 0x7F;
        if (septet != kEscape) {
            AppendUtf8(out, kDefault[septet]);
            continue;
        }
        if (i + 1 == septets.size()) {
            out += ' ';
            break;
        }
        const unsigned char code = static_cast<unsigned char>(septets[++i]) & 0x7F;
        const char32_t* pExtension = ExtensionChar(code);
        AppendUtf8(out, pExtension ? *pExtension : kDefault[code]);
    }
    return out;
}

std::optional<std::string> Utf8ToGsmSeptets(std::string_view utf8) {
    const std::optional<std::u32string> codePoints = Utf8ToCodePoints(utf8);
    if (!codePoints) return std::nullopt;
    std::string out;
    out.reserve(codePoints->size());
    for (char32_t c : *codePoints) {
        const std::array<int, 2> septets = SeptetsOf(c);
        if (septets[0] < 0) return std::nullopt;
        out += static_cast<char>(septets[0]);
        if (septets[1] >= 0) out += static_cast<char>(septets[1]);
    }
    return out;
}

bool FitsGsmAlphabet(std::string_view utf8) {
    return Utf8ToGsmSeptets(utf8).has_value();
}

std::size_t PackedLength(std::size_t septetCount, unsigned fillBits) {
    return (fillBits + 7 * septetCount + 7) / 8;
}

std::string UnpackSeptets(std::string_view octets, std::size_t septetCount, unsigned fillBits) {
    const std::size_t bits = octets.size() * 8;
    if (fillBits >= bits) return {};
    const std::size_t available = (bits - fillBits) / 7;
    if (septetCount > available) septetCount = available;
    std::string out;
    out.reserve(septetCount);
    for (std::size_t i = 0; i < septetCount; ++i) {
        const std::size_t position = fillBits + 7 * i;
        const std::size_t index = position / 8;
        const unsigned shift = position % 8;
        unsigned value = static_cast<unsigned char>(octets[index]) >> shift;
        if (shift > 1) value |= static_cast<unsigned char>(octets[index + 1]) << (8 - shift);
        out += static_cast<char>(value & 0x7F);
    }
    return out;
}

std::string PackSeptets(std::string_view septets, unsigned fillBits) {
    if (septets.empty()) return {};
    // libosmogsm's packer writes into a caller buffer; it reads the septets' low 7 bits.
    std::vector<std::uint8_t> in(septets.begin(), septets.end());
    for (std::uint8_t& septet : in) septet &= 0x7F;
    std::vector<std::uint8_t> out(PackedLength(septets.size(), fillBits) + 1, 0);
    const int written =
        gsm_septet_pack(out.data(), in.data(), in.size(), static_cast<std::uint8_t>(fillBits % 7));
    return std::string(reinterpret_cast<const char*>(out.data()),
                       static_cast<std::size_t>(written > 0 ? written : 0));
}
