// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"

#include <string_view>

// The short message files of DF TELECOM (TS 51.011 10.5.3, 10.5.6-10.5.8), one record (or
// the whole of EF SMSS) each.

// EF SMS: the status byte, then the service centre address and the TPDU, FF padded.
CDecodedContents DecodeSmsRecord(std::string_view data);
// EF SMSP: an alpha identifier of record length - 28 bytes, the parameter indicators and
// the parameters they announce.
CDecodedContents DecodeSmsParameters(std::string_view data);
// EF SMSS: the last message reference used and the memory capacity exceeded flag.
CDecodedContents DecodeSmsStatus(std::string_view data);
// EF SMSR: the EF SMS record it belongs to, then an SMS-STATUS-REPORT.
CDecodedContents DecodeSmsStatusReport(std::string_view data);
