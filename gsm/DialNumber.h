// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EncodeResult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A record of an ADN-type file (ADN, FDN, SDN, BDN, LND, MSISDN; TS 51.011 10.5.1): an
// alpha identifier of X bytes, then the number's length, TON/NPI, 10 BCD bytes, the
// capability/configuration record id and the extension record id; BDN adds a comparison
// method id. An unused number (length FF) reads as an empty m_strNumber.
struct CDialNumber {
    std::string m_strAlpha;   // UTF-8
    std::string m_strNumber;  // BCD digits; a leading '+' when the type of number is international
    std::uint8_t m_nTonNpi = 0x81;
    std::uint8_t m_nCcpId = 0xFF;
    std::uint8_t m_nExtId = 0xFF;
    std::uint8_t m_nComparisonId = 0xFF;  // BDN only

    bool operator==(const CDialNumber& other) const;
};

// Bytes after the alpha identifier: 14, and 15 for BDN.
constexpr std::size_t kDialNumberTrailer = 14;
constexpr std::size_t kBarredDialNumberTrailer = 15;
constexpr std::uint8_t kTonInternational = 0x10;  // TON bits 7-5 = 001

// nullopt when the record is shorter than its trailer.
std::optional<CDialNumber> ParseDialNumber(std::string_view record,
                                           std::size_t trailer = kDialNumberTrailer);
// A whole record of recordLength bytes: the name in the shortest coding that holds it, FF
// padded; a number with a leading '+' gets the international type of number (its NPI kept).
// Fails for a name or number that does not fit or a character that has no BCD digit.
CEncodeResult EncodeDialNumber(const CDialNumber& entry, std::size_t recordLength,
                               std::size_t trailer = kDialNumberTrailer);

// "international", "national", ... of TON bits 7-5; "ISDN/telephony (E.164)", ... of NPI
// bits 4-1.
std::string_view TypeOfNumberName(std::uint8_t tonNpi);
std::string_view NumberingPlanName(std::uint8_t tonNpi);
