// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EncodeResult.h"
#include "Plmn.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The values behind the files a user edits, parsed from and encoded to their bytes. Each
// EncodeX gives bytes that ParseX reads back as the same value.

// EF SPN: display condition byte, then 16 bytes of name (an alpha identifier).
struct CServiceProviderName {
    std::uint8_t m_nDisplayCondition = 0;
    std::string m_strName;  // UTF-8
    bool operator==(const CServiceProviderName& other) const {
        return m_nDisplayCondition == other.m_nDisplayCondition && m_strName == other.m_strName;
    }
};
constexpr std::size_t kSpnSize = 17;
std::optional<CServiceProviderName> ParseServiceProviderName(std::string_view data);
CEncodeResult EncodeServiceProviderName(const CServiceProviderName& spn);

// EF IMSI: a length byte, then the digits after parity/identity type nibble.
std::optional<std::string> ParseImsi(std::string_view data);  // digits
CEncodeResult EncodeImsi(std::string_view digits);            // 9 bytes, 6 to 15 digits

// PLMN lists (PLMNsel, FPLMN, and the PLMN part of the lists with access technology):
// 3 bytes an entry, nullopt for an unused FF FF FF.
using PlmnList = std::vector<std::optional<CPlmn>>;
PlmnList ParsePlmnList(std::string_view data);
// size bytes, the entries first, FF after; fails when they do not fit.
CEncodeResult EncodePlmnList(const PlmnList& list, std::size_t size);

// PLMNwAcT, OPLMNwAcT, HPLMNwAcT: 5 bytes an entry, the PLMN and 2 bytes of access
// technology bits.
struct CPlmnWithAct {
    std::optional<CPlmn> m_plmn;
    std::uint16_t m_nAct = 0;
    bool operator==(const CPlmnWithAct& other) const {
        return m_plmn == other.m_plmn && m_nAct == other.m_nAct;
    }
};
std::vector<CPlmnWithAct> ParsePlmnActList(std::string_view data);
CEncodeResult EncodePlmnActList(const std::vector<CPlmnWithAct>& list, std::size_t size);
// "UTRAN, GSM, GSM COMPACT" of the access technology bits; "none" for 0.
std::string AccessTechnologyText(std::uint16_t act);

// EF LP: language codes of TS 23.038 coding group 0, one byte each, FF unused.
std::vector<std::uint8_t> ParseLanguageCodes(std::string_view data);
CEncodeResult EncodeLanguageCodes(const std::vector<std::uint8_t>& codes, std::size_t size);
std::string_view LanguageName(std::uint8_t code);  // "English"; empty when unknown
// EF ELP: ISO 639 two-letter codes ("en"), FFFF unused.
std::vector<std::string> ParseLanguageTags(std::string_view data);
CEncodeResult EncodeLanguageTags(const std::vector<std::string>& tags, std::size_t size);
