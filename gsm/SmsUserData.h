// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"
#include "SmsDataCoding.h"

#include <cstddef>
#include <string_view>

constexpr std::size_t kMaxUserDataOctets = 140;

// Decodes TP-UDL at byte start of data and the user data after it (TS 23.040 9.2.3.16,
// 9.2.3.24): the header's information elements when hasHeader, then the text in the
// coding's alphabet. In 7-bit text after a header, fill bits bring the first character to
// a septet boundary. A user data cut short gives the part that is there.
void DecodeSmsUserData(std::string_view data, std::size_t start, bool hasHeader,
                       const CSmsDataCoding& coding, CDecodedContents& out);
