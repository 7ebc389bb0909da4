// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"

#include <cstddef>
#include <string_view>

// Which way a TPDU travels: the message type bits mean different TPDUs each way.
enum class SmsDirection { ToMobile, FromMobile };

// Decodes the TPDU that begins at byte start of data (TS 23.040 9.2.2): SMS-DELIVER and
// SMS-STATUS-REPORT towards the mobile, SMS-SUBMIT from it; other types give their type
// and a problem line. Field offsets count in data, so a TPDU inside a record highlights
// in the record.
void DecodeSmsTpdu(std::string_view data, std::size_t start, SmsDirection direction,
                   CDecodedContents& out);
// A TPDU on its own.
CDecodedContents DecodeSmsTpdu(std::string_view tpdu, SmsDirection direction);
