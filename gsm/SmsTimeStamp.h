// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Times of TS 23.040: the service centre time stamp and the absolute validity period
// (9.2.3.11, seven octets of swapped BCD digits), the relative validity period
// (9.2.3.12.1) and the enhanced one (9.2.3.12.3).

constexpr std::size_t kSmsTimeStampLength = 7;
constexpr std::size_t kEnhancedValidityLength = 7;

// "2026-01-06 12:34:00 +02:00": local time as the centre gave it and its offset from UTC.
// Years 90-99 read as 19xx, the rest as 20xx. A digit above 9 shows as its hex letter so a
// spoiled stamp still reads.
std::string SmsTimeStampText(std::string_view sevenOctets);
// "24 hours", "5 minutes", "3 days", "2 weeks".
std::string RelativeValidityText(std::uint8_t value);
// The seven octets of an enhanced validity period: "relative: 24 hours", "30 seconds",
// "relative: 01:30:00", "none", with ", single shot" where set.
std::string EnhancedValidityText(std::string_view sevenOctets);
