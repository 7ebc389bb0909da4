// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class StatusWordSource : std::uint8_t { Gsm1111, Iso7816, Unknown };

struct CStatusWordMeaning {
    std::string m_strText;  // "23 bytes of response waiting", xx filled in
    StatusWordSource m_source = StatusWordSource::Unknown;
};

// The meaning of a status word. GSM 11.11 words take precedence over the ISO 7816-4 ones
// that share their first byte (67xx is GSM's "incorrect parameter P3").
CStatusWordMeaning DescribeStatusWord(std::uint8_t sw1, std::uint8_t sw2);

// One line for a tooltip or a command line: the meaning, with " (ISO 7816-4, not GSM 11.11)"
// after words of ISO 7816-4 only, "unknown status word" for the rest.
std::string ExplainStatusWord(std::uint8_t sw1, std::uint8_t sw2);
// The same from four hex digits ("9F17", any case, blanks ignored); "" when the text is
// not exactly four hex digits.
std::string ExplainStatusWord(std::string_view hexText);
