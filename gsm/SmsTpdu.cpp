// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsTpdu.h"

#include "DecoderText.h"
#include "SmsAddress.h"
#include "SmsDataCoding.h"
#include "SmsTimeStamp.h"
#include "SmsUserData.h"

#include <cstdint>
#include <string>

namespace {

constexpr unsigned kUserDataHeaderBit = 0x40;

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

// The protocol identifier and data coding scheme bytes that every TPDU with text carries.
CSmsDataCoding DecodePidAndDcs(std::string_view data, std::size_t at, CDecodedContents& out) {
    const auto pid = static_cast<std::uint8_t>(ByteAt(data, at));
    out.Add("Protocol identifier", HexByte(pid) + " " + ProtocolIdentifierText(pid), at, 1);
    const auto dcs = static_cast<std::uint8_t>(ByteAt(data, at + 1));
    CSmsDataCoding coding = DescribeDataCoding(dcs);
    out.Add("Data coding scheme", HexByte(dcs) + " " + coding.m_strText, at + 1, 1);
    return coding;
}

bool AddTimeStamp(std::string_view data, std::size_t at, const char* name, CDecodedContents& out) {
    return out.Add(name, SmsTimeStampText(Slice(data, at, kSmsTimeStampLength)), at,
                   kSmsTimeStampLength);
}

void DecodeDeliver(std::string_view data, std::size_t start, CDecodedContents& out) {
    const unsigned first = ByteAt(data, start);
    out.Add("More messages to send", YesNo((first & 0x04) == 0), start, 1);
    out.Add("Status report indication", YesNo(first & 0x20), start, 1);
    out.Add("Reply path", YesNo(first & 0x80), start, 1);
    const std::size_t address =
        DecodeSmsAddress(data, start + 1, SmsAddressForm::Tp, "Originating address", out);
    if (address == 0) return;
    std::size_t at = start + 1 + address;
    const CSmsDataCoding coding = DecodePidAndDcs(data, at, out);
    if (!out.Has(at, 2) || !AddTimeStamp(data, at + 2, "Service centre time stamp", out)) return;
    DecodeSmsUserData(data, at + 2 + kSmsTimeStampLength, first & kUserDataHeaderBit, coding, out);
}

// Returns the octets the validity period takes, or SIZE_MAX when it is cut short.
std::size_t DecodeValidityPeriod(std::string_view data, std::size_t at, unsigned format,
                                 CDecodedContents& out) {
    switch (format) {
        case 0:
            return 0;
        case 2: {
            const auto value = static_cast<std::uint8_t>(ByteAt(data, at));
            return out.Add("Validity period", HexByte(value) + " " + RelativeValidityText(value),
                           at, 1)
                       ? 1
                       : SIZE_MAX;
        }
        case 3:
            return AddTimeStamp(data, at, "Validity period (absolute)", out) ? kSmsTimeStampLength
                                                                             : SIZE_MAX;
        default:
            return out.Add("Validity period (enhanced)",
                           EnhancedValidityText(Slice(data, at, kEnhancedValidityLength)), at,
                           kEnhancedValidityLength)
                       ? kEnhancedValidityLength
                       : SIZE_MAX;
    }
}

// TP-MR and the address after it, as SMS-SUBMIT and SMS-STATUS-REPORT begin; the offset
// after them, 0 when either is cut short or spoiled.
std::size_t DecodeReferenceAndAddress(std::string_view data, std::size_t start, const char* name,
                                      CDecodedContents& out) {
    if (!out.Add("Message reference", std::to_string(ByteAt(data, start + 1)), start + 1, 1))
        return 0;
    const std::size_t address = DecodeSmsAddress(data, start + 2, SmsAddressForm::Tp, name, out);
    return address == 0 ? 0 : start + 2 + address;
}

void DecodeSubmit(std::string_view data, std::size_t start, CDecodedContents& out) {
    const unsigned first = ByteAt(data, start);
    static const char* const kFormats[4] = {"none", "enhanced", "relative", "absolute"};
    const unsigned format = (first >> 3) & 0x03;
    out.Add("Reject duplicates", YesNo(first & 0x04), start, 1);
    out.Add("Validity period format", kFormats[format], start, 1);
    out.Add("Status report request", YesNo(first & 0x20), start, 1);
    out.Add("Reply path", YesNo(first & 0x80), start, 1);
    const std::size_t at = DecodeReferenceAndAddress(data, start, "Destination address", out);
    if (at == 0) return;
    const CSmsDataCoding coding = DecodePidAndDcs(data, at, out);
    if (!out.Has(at, 2)) return;
    const std::size_t period = DecodeValidityPeriod(data, at + 2, format, out);
    if (period == SIZE_MAX) return;
    DecodeSmsUserData(data, at + 2 + period, first & kUserDataHeaderBit, coding, out);
}

// The optional part after TP-ST: a parameter indicator, then what it announces.
void DecodeReportParameters(std::string_view data, std::size_t at, bool hasHeader,
                            CDecodedContents& out) {
    const unsigned indicator = ByteAt(data, at);
    // Records pad a report without these parameters with FF.
    if (!out.Has(at, 1) || indicator == 0xFF) return;
    out.Add("Parameter indicator", HexByte(indicator), at, 1);
    std::size_t next = at + 1;
    while (ByteAt(data, next - 1) & 0x80) {  // extension octets carry no parameters yet
        if (!out.Has(next, 1)) return;
        ++next;
    }
    CSmsDataCoding coding;
    if (indicator & 0x01) {
        const auto pid = static_cast<std::uint8_t>(ByteAt(data, next));
        if (!out.Add("Protocol identifier", HexByte(pid) + " " + ProtocolIdentifierText(pid), next,
                     1))
            return;
        ++next;
    }
    if (indicator & 0x02) {
        const auto dcs = static_cast<std::uint8_t>(ByteAt(data, next));
        coding = DescribeDataCoding(dcs);
        if (!out.Add("Data coding scheme", HexByte(dcs) + " " + coding.m_strText, next, 1)) return;
        ++next;
    }
    if (indicator & 0x04) DecodeSmsUserData(data, next, hasHeader, coding, out);
}

void DecodeStatusReport(std::string_view data, std::size_t start, CDecodedContents& out) {
    const unsigned first = ByteAt(data, start);
    out.Add("More messages to send", YesNo((first & 0x04) == 0), start, 1);
    out.Add("Status report qualifier",
            (first & 0x20) ? "result of an SMS-COMMAND" : "result of an SMS-SUBMIT", start, 1);
    const std::size_t at = DecodeReferenceAndAddress(data, start, "Recipient address", out);
    if (at == 0) return;
    if (!AddTimeStamp(data, at, "Service centre time stamp", out) ||
        !AddTimeStamp(data, at + kSmsTimeStampLength, "Discharge time", out))
        return;
    const std::size_t status = at + 2 * kSmsTimeStampLength;
    const auto value = static_cast<std::uint8_t>(ByteAt(data, status));
    if (!out.Add("Status", HexByte(value) + " " + DeliveryStatusText(value), status, 1)) return;
    DecodeReportParameters(data, status + 1, first & kUserDataHeaderBit, out);
}

}  // namespace

void DecodeSmsTpdu(std::string_view data, std::size_t start, SmsDirection direction,
                   CDecodedContents& out) {
    const unsigned type = ByteAt(data, start) & 0x03;
    const bool toMobile = direction == SmsDirection::ToMobile;
    static const char* const kToMobile[4] = {"SMS-DELIVER", "SMS-SUBMIT-REPORT",
                                             "SMS-STATUS-REPORT", "reserved"};
    static const char* const kFromMobile[4] = {"SMS-DELIVER-REPORT", "SMS-SUBMIT", "SMS-COMMAND",
                                               "reserved"};
    const char* name = toMobile ? kToMobile[type] : kFromMobile[type];
    if (!out.Add("Message type", name, start, 1)) return;
    out.Add("User data header", (ByteAt(data, start) & kUserDataHeaderBit) ? "present" : "absent",
            start, 1);
    if (toMobile && type == 0) return DecodeDeliver(data, start, out);
    if (!toMobile && type == 1) return DecodeSubmit(data, start, out);
    if (toMobile && type == 2) return DecodeStatusReport(data, start, out);
    out.AddProblem(std::string(name) + " is not decoded further");
}

CDecodedContents DecodeSmsTpdu(std::string_view tpdu, SmsDirection direction) {
    CDecodedContents contents(tpdu.size());
    DecodeSmsTpdu(tpdu, 0, direction, contents);
    return contents;
}
