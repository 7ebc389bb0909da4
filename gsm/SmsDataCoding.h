// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The data coding scheme of a short message (TS 23.038 clause 4, coding groups).
enum class SmsAlphabet : std::uint8_t { Gsm7, Data8, Ucs2 };

struct CSmsDataCoding {
    SmsAlphabet m_alphabet = SmsAlphabet::Gsm7;
    bool m_bCompressed = false;
    std::string m_strText;  // "UCS2, class 1 (mobile equipment specific)"
};

// Reserved codings read as the default alphabet, as the standard asks of a receiver.
CSmsDataCoding DescribeDataCoding(std::uint8_t dcs);

// The protocol identifier (TS 23.040 9.2.3.9): "normal (no interworking)", "telematic
// interworking: Internet electronic mail", "replace short message type 1", ...
std::string ProtocolIdentifierText(std::uint8_t pid);
// The status of a status report (TS 23.040 9.2.3.15).
std::string DeliveryStatusText(std::uint8_t status);
