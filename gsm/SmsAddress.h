// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"

#include <cstddef>
#include <string>
#include <string_view>

// The two address codings of short messages: the TP addresses inside a TPDU (TS 23.040
// 9.1.2.5) count their length in useful semi-octets and may be alphanumeric; the service
// centre address before a TPDU (TS 24.011 8.2.5.2) counts octets, TON/NPI included.
enum class SmsAddressForm { Tp, Rp };

// Decodes the address at byte start of data into one field named name and returns the
// bytes it takes, length byte included; 0 when it is cut short or its length is spoiled
// (noted in out), so the caller stops there.
std::size_t DecodeSmsAddress(std::string_view data, std::size_t start, SmsAddressForm form,
                             std::string_view name, CDecodedContents& out);

// The text of an address: "+447700900123 (international, ISDN/telephony (E.164))",
// "Fictel (alphanumeric)", "none" for an empty one. digitCount counts semi-octets.
std::string SmsAddressText(unsigned tonNpi, std::string_view digits, std::size_t digitCount);
