// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A PLMN as 3 bytes (TS 24.008 10.5.1.3): MCC digit 2|1, MNC digit 3|MCC digit 3,
// MNC digit 2|1, high nibble first in each pair as written; a 2-digit MNC has F as digit 3.
struct CPlmn {
    std::string m_strMcc;  // 3 digits
    std::string m_strMnc;  // 2 or 3 digits
    bool operator==(const CPlmn& other) const {
        return m_strMcc == other.m_strMcc && m_strMnc == other.m_strMnc;
    }
};

// nullopt for an unused entry (FF FF FF) or fewer than 3 bytes; digits above 9 show as
// hex letters so a spoiled entry still reads.
std::optional<CPlmn> DecodePlmn(std::string_view bytes);
// 3 bytes; nullopt unless the MCC has 3 decimal digits and the MNC 2 or 3.
std::optional<std::string> EncodePlmn(const CPlmn& plmn);
// "001-01"; "unused" for nullopt.
std::string PlmnText(const std::optional<CPlmn>& plmn);
// Reads "001-01", "00101" (2-digit MNC) or "001-001".
std::optional<CPlmn> ParsePlmnText(std::string_view text);
