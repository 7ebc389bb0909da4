// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlphaIdentifier.h"

#include "GsmAlphabet.h"
#include "Ucs2Text.h"

#include <algorithm>

namespace {

std::string_view TrimPadding(std::string_view bytes) {
    const std::size_t end = bytes.find_last_not_of('\xFF');
    return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
}

// The characters of the 81 and 82 codings: runs of default-alphabet bytes (below 80),
// and bytes from 80 up as base + low 7 bits.
std::string DecodeBasedCharacters(std::string_view bytes, char32_t base) {
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t runEnd = i;
        while (runEnd < bytes.size() && static_cast<unsigned char>(bytes[runEnd]) < 0x80) ++runEnd;
        if (runEnd > i) {
            out += GsmSeptetsToUtf8(bytes.substr(i, runEnd - i));
            i = runEnd;
            continue;
        }
        AppendUtf8(out, base + (static_cast<unsigned char>(bytes[i]) & 0x7F));
        ++i;
    }
    return out;
}

CAlphaIdentifier DecodeBased(std::string_view bytes, AlphaCoding coding) {
    CAlphaIdentifier result;
    result.m_coding = coding;
    const std::size_t header = coding == AlphaCoding::Ucs2Base8 ? 3 : 4;
    if (bytes.size() < header) {
        result.m_bCut = true;
        return result;
    }
    const std::size_t count = static_cast<unsigned char>(bytes[1]);
    const char32_t base = coding == AlphaCoding::Ucs2Base8
                              ? static_cast<char32_t>(static_cast<unsigned char>(bytes[2])) << 7
                              : (static_cast<char32_t>(static_cast<unsigned char>(bytes[2])) << 8) |
                                    static_cast<unsigned char>(bytes[3]);
    std::string_view characters = bytes.substr(header);
    if (count > characters.size()) {
        result.m_bCut = true;
    } else {
        characters = characters.substr(0, count);
    }
    result.m_strText = DecodeBasedCharacters(characters, base);
    return result;
}

CAlphaIdentifier DecodeUcs2(std::string_view bytes) {
    CAlphaIdentifier result;
    result.m_coding = AlphaCoding::Ucs2;
    std::string_view units = bytes.substr(1);
    // FFFF pads; a text ends at the first one on a unit boundary.
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        if (units[i] == '\xFF' && units[i + 1] == '\xFF') {
            units = units.substr(0, i);
            break;
        }
    }
    result.m_bCut = units.size() % 2 != 0;
    result.m_strText = Ucs2ToUtf8(units);
    return result;
}

// Single default-alphabet septets only: the 81 and 82 counts are counts of characters,
// so an escape pair is left to the UCS2 window.
bool IsSingleSeptet(char32_t c, char& septet) {
    std::string utf8;
    AppendUtf8(utf8, c);
    const std::optional<std::string> septets = Utf8ToGsmSeptets(utf8);
    if (!septets || septets->size() != 1) return false;
    septet = (*septets)[0];
    return true;
}

std::optional<std::string> EncodeBased(const std::u32string& text, AlphaCoding coding) {
    std::string body;
    char32_t least = 0x10FFFF;
    char32_t most = 0;
    for (char32_t c : text) {
        char septet = 0;
        if (IsSingleSeptet(c, septet)) continue;
        least = std::min(least, c);
        most = std::max(most, c);
    }
    if (most == 0) return std::nullopt;  // all default alphabet: no window needed
    const char32_t base = coding == AlphaCoding::Ucs2Base8 ? (least & 0x7F80) : least;
    if (most > 0xFFFF || most - base > 0x7F || text.size() > 0xFF) return std::nullopt;
    if (coding == AlphaCoding::Ucs2Base8 && base > 0x7F80) return std::nullopt;
    std::string out;
    out += static_cast<char>(coding);
    out += static_cast<char>(text.size());
    if (coding == AlphaCoding::Ucs2Base8) {
        out += static_cast<char>(base >> 7);
    } else {
        out += static_cast<char>(base >> 8);
        out += static_cast<char>(base & 0xFF);
    }
    for (char32_t c : text) {
        char septet = 0;
        if (IsSingleSeptet(c, septet)) {
            out += septet;
        } else {
            out += static_cast<char>(0x80 | (c - base));
        }
    }
    return out;
}

}  // namespace

CAlphaIdentifier DecodeAlphaIdentifier(std::string_view bytes) {
    if (!bytes.empty()) {
        switch (static_cast<unsigned char>(bytes[0])) {
            case 0x80:
                return DecodeUcs2(bytes);
            case 0x81:
                return DecodeBased(bytes, AlphaCoding::Ucs2Base8);
            case 0x82:
                return DecodeBased(bytes, AlphaCoding::Ucs2Base16);
            default:
                break;
        }
    }
    CAlphaIdentifier result;
    result.m_strText = GsmSeptetsToUtf8(TrimPadding(bytes));
    return result;
}

std::optional<std::string> EncodeAlphaIdentifier(std::string_view utf8) {
    if (std::optional<std::string> septets = Utf8ToGsmSeptets(utf8)) {
        // A leading 80-82 would read as a UCS2 coding; septets never reach that.
        return septets;
    }
    const std::optional<std::u32string> text = Utf8ToCodePoints(utf8);
    // U+FFFF would read back as the 80 coding's padding.
    if (!text || text->find(char32_t(0xFFFF)) != std::u32string::npos) return std::nullopt;
    std::optional<std::string> best;
    if (std::optional<std::string> ucs2 = Utf8ToUcs2(utf8)) best = "\x80" + *ucs2;
    for (AlphaCoding coding : {AlphaCoding::Ucs2Base16, AlphaCoding::Ucs2Base8}) {
        std::optional<std::string> based = EncodeBased(*text, coding);
        if (based && (!best || based->size() <= best->size())) best = std::move(based);
    }
    return best;
}

std::optional<std::string> EncodeAlphaIdentifier(std::string_view utf8, std::size_t size) {
    std::optional<std::string> bytes = EncodeAlphaIdentifier(utf8);
    if (!bytes || bytes->size() > size) return std::nullopt;
    bytes->resize(size, '\xFF');
    return bytes;
}

std::string_view AlphaCodingName(AlphaCoding coding) {
    switch (coding) {
        case AlphaCoding::Gsm:
            return "GSM default alphabet";
        case AlphaCoding::Ucs2:
            return "UCS2 (80)";
        case AlphaCoding::Ucs2Base8:
            return "UCS2 with 8-bit base (81)";
        case AlphaCoding::Ucs2Base16:
            return "UCS2 with 16-bit base (82)";
    }
    return {};
}
