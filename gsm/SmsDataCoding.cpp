// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsDataCoding.h"

#include "DecoderText.h"

#include <iterator>

namespace {

const char* const kClassNames[4] = {"class 0 (flash)", "class 1 (mobile equipment specific)",
                                    "class 2 (SIM specific)",
                                    "class 3 (terminal equipment specific)"};
const char* const kAlphabetNames[3] = {"GSM 7-bit default alphabet", "8-bit data", "UCS2"};

CSmsDataCoding GeneralCoding(std::uint8_t dcs) {
    // Groups 00xx and 01xx (the latter marked for automatic deletion).
    CSmsDataCoding coding;
    const unsigned alphabet = (dcs >> 2) & 0x03;
    coding.m_alphabet = alphabet == 3 ? SmsAlphabet::Gsm7 : static_cast<SmsAlphabet>(alphabet);
    coding.m_bCompressed = (dcs & 0x20) != 0;
    coding.m_strText = alphabet == 3 ? "reserved alphabet, read as GSM 7-bit default alphabet"
                                     : kAlphabetNames[alphabet];
    if (coding.m_bCompressed) coding.m_strText += ", compressed";
    if (dcs & 0x10) coding.m_strText += std::string(", ") + kClassNames[dcs & 0x03];
    if (dcs & 0x40) coding.m_strText += ", marked for automatic deletion";
    return coding;
}

CSmsDataCoding MessageWaiting(std::uint8_t dcs) {
    static const char* const kKinds[4] = {"voicemail", "fax", "electronic mail", "other"};
    CSmsDataCoding coding;
    const unsigned group = dcs >> 4;
    coding.m_alphabet = group == 0xE ? SmsAlphabet::Ucs2 : SmsAlphabet::Gsm7;
    coding.m_strText = std::string("message waiting: ") + kKinds[dcs & 0x03] +
                       ((dcs & 0x08) ? " active" : " inactive") +
                       (group == 0xC ? ", discard message" : ", store message") + ", " +
                       kAlphabetNames[static_cast<unsigned>(coding.m_alphabet)];
    return coding;
}

struct CNamedRange {
    std::uint8_t m_nFirst;
    std::uint8_t m_nLast;
    const char* m_pText;
};

std::string FindRange(const CNamedRange* ranges, std::size_t count, std::uint8_t value) {
    for (std::size_t i = 0; i < count; ++i) {
        if (value >= ranges[i].m_nFirst && value <= ranges[i].m_nLast) return ranges[i].m_pText;
    }
    return "reserved";
}

// TS 23.040 9.2.3.9, bits 4-0 after telematic interworking.
constexpr CNamedRange kTelematicDevices[] = {
    {0x00, 0x00, "implicit (SC specific)"},
    {0x01, 0x01, "telex"},
    {0x02, 0x02, "group 3 telefax"},
    {0x03, 0x03, "group 4 telefax"},
    {0x04, 0x04, "voice telephone"},
    {0x05, 0x05, "ERMES"},
    {0x06, 0x06, "national paging system"},
    {0x07, 0x07, "Videotex"},
    {0x08, 0x08, "teletex, unspecified carrier"},
    {0x09, 0x09, "teletex, PSPDN"},
    {0x0A, 0x0A, "teletex, CSPDN"},
    {0x0B, 0x0B, "teletex, analog PSTN"},
    {0x0C, 0x0C, "teletex, digital ISDN"},
    {0x0D, 0x0D, "UCI"},
    {0x0E, 0x0F, "reserved"},
    {0x10, 0x10, "message handling facility"},
    {0x11, 0x11, "X.400 message handling system"},
    {0x12, 0x12, "Internet electronic mail"},
    {0x13, 0x17, "reserved"},
    {0x18, 0x1E, "SC specific"},
    {0x1F, 0x1F, "GSM/UMTS mobile station"},
};

// TS 23.040 9.2.3.9, the values of bits 7-6 = 01.
constexpr CNamedRange kMessageTypes[] = {
    {0x40, 0x40, "short message type 0"},
    {0x41, 0x47, "replace short message type"},
    {0x48, 0x5D, "reserved"},
    {0x5E, 0x5E, "enhanced message service (obsolete)"},
    {0x5F, 0x5F, "return call message"},
    {0x7C, 0x7C, "ANSI-136 R-DATA"},
    {0x7D, 0x7D, "ME data download"},
    {0x7E, 0x7E, "ME de-personalization short message"},
    {0x7F, 0x7F, "SIM data download"},
};

// TS 23.040 9.2.3.15.
constexpr CNamedRange kStatuses[] = {
    {0x00, 0x00, "short message received by the SME"},
    {0x01, 0x01, "forwarded by the SC to the SME, delivery not confirmed"},
    {0x02, 0x02, "short message replaced by the SC"},
    {0x03, 0x0F, "reserved (transaction completed)"},
    {0x10, 0x1F, "SC specific (transaction completed)"},
    {0x20, 0x20, "congestion, SC still trying"},
    {0x21, 0x21, "SME busy, SC still trying"},
    {0x22, 0x22, "no response from SME, SC still trying"},
    {0x23, 0x23, "service rejected, SC still trying"},
    {0x24, 0x24, "quality of service not available, SC still trying"},
    {0x25, 0x25, "error in SME, SC still trying"},
    {0x26, 0x3F, "temporary error, SC still trying"},
    {0x40, 0x40, "remote procedure error"},
    {0x41, 0x41, "incompatible destination"},
    {0x42, 0x42, "connection rejected by SME"},
    {0x43, 0x43, "not obtainable"},
    {0x44, 0x44, "quality of service not available"},
    {0x45, 0x45, "no interworking available"},
    {0x46, 0x46, "SM validity period expired"},
    {0x47, 0x47, "SM deleted by originating SME"},
    {0x48, 0x48, "SM deleted by SC administration"},
    {0x49, 0x49, "SM does not exist"},
    {0x4A, 0x5F, "permanent error, SC not trying any more"},
    {0x60, 0x60, "congestion, SC not trying any more"},
    {0x61, 0x61, "SME busy, SC not trying any more"},
    {0x62, 0x62, "no response from SME, SC not trying any more"},
    {0x63, 0x63, "service rejected, SC not trying any more"},
    {0x64, 0x64, "quality of service not available, SC not trying any more"},
    {0x65, 0x65, "error in SME, SC not trying any more"},
    {0x66, 0x7F, "temporary error, SC not trying any more"},
    {0x80, 0xFF, "reserved"},
};

}  // namespace

CSmsDataCoding DescribeDataCoding(std::uint8_t dcs) {
    const unsigned group = dcs >> 4;
    if (group <= 0x7) return GeneralCoding(dcs);
    if (group >= 0xC && group <= 0xE) return MessageWaiting(dcs);
    CSmsDataCoding coding;
    if (group == 0xF) {
        coding.m_alphabet = (dcs & 0x04) ? SmsAlphabet::Data8 : SmsAlphabet::Gsm7;
        coding.m_strText = std::string(kAlphabetNames[static_cast<unsigned>(coding.m_alphabet)]) +
                           ", " + kClassNames[dcs & 0x03];
        return coding;
    }
    coding.m_strText = "reserved coding group, read as GSM 7-bit default alphabet";
    return coding;
}

std::string ProtocolIdentifierText(std::uint8_t pid) {
    switch (pid >> 6) {
        case 0:
            if (pid & 0x20)
                return "telematic interworking: " +
                       FindRange(kTelematicDevices, std::size(kTelematicDevices), pid & 0x1F);
            return pid == 0 ? "normal (no interworking)"
                            : "SM-AL protocol " + std::to_string(pid & 0x1F);
        case 1: {
            std::string text = FindRange(kMessageTypes, std::size(kMessageTypes), pid);
            if (pid >= 0x41 && pid <= 0x47) text += " " + std::to_string(pid - 0x40);
            return text;
        }
        case 2:
            return "reserved";
        default:
            return "SC specific use";
    }
}

std::string DeliveryStatusText(std::uint8_t status) {
    return FindRange(kStatuses, std::size(kStatuses), status);
}
