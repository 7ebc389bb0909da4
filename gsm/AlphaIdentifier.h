// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// SIM alpha identifiers (names of ADN-type records, SPN, ...): the GSM default alphabet
// unpacked, FF-padded, or one of the three UCS2 codings of TS 51.011 annex B:
// 80 UCS2 throughout; 81 a count, an 8-bit base (bits 15-8 of a half-page) and one byte a
// character; 82 a count, a 16-bit base and one byte a character. In 81 and 82 a byte below
// 80 is a default-alphabet character, one from 80 up is base + its low 7 bits.
enum class AlphaCoding : std::uint8_t { Gsm = 0, Ucs2 = 0x80, Ucs2Base8 = 0x81, Ucs2Base16 = 0x82 };

struct CAlphaIdentifier {
    std::string m_strText;  // UTF-8
    AlphaCoding m_coding = AlphaCoding::Gsm;
    bool m_bCut = false;  // an 81/82 count beyond the bytes, or a UCS2 text of odd length
};

// Trailing FF padding ends the text.
CAlphaIdentifier DecodeAlphaIdentifier(std::string_view bytes);
// The shortest coding that holds the UTF-8 text: the default alphabet, else the shortest
// of 81, 82 and 80 (81 before 82 before 80 when equal). Unpadded; nullopt when no coding
// holds it (a character beyond U+FFFF).
std::optional<std::string> EncodeAlphaIdentifier(std::string_view utf8);
// As above, padded with FF to size; nullopt when it does not fit.
std::optional<std::string> EncodeAlphaIdentifier(std::string_view utf8, std::size_t size);
std::string_view AlphaCodingName(AlphaCoding coding);
