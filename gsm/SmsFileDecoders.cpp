// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsFileDecoders.h"

#include "AlphaIdentifier.h"
#include "DecoderText.h"
#include "SmsAddress.h"
#include "SmsDataCoding.h"
#include "SmsTimeStamp.h"
#include "SmsTpdu.h"

#include <string>

namespace {

constexpr std::size_t kSmspFixedPart = 28;
constexpr std::size_t kSmspAddressLength = 12;

std::string RecordStatusText(unsigned status) {
    switch (status & 0x07) {
        case 0x01:
            return "received, read";
        case 0x03:
            return "received, unread";
        case 0x07:
            return "to be sent";
        case 0x05:
            break;
        default:
            return "reserved (" + HexByte(status) + ")";
    }
    switch (status & 0x1F) {
        case 0x05:
            return "sent, no status report requested";
        case 0x0D:
            return "sent, status report requested, not yet received";
        case 0x15:
            return "sent, status report received, not stored in EF SMSR";
        case 0x1D:
            return "sent, status report received and stored in EF SMSR";
        default:
            return "sent, reserved status (" + HexByte(status) + ")";
    }
}

// A parameter of EF SMSP that the indicators say is there (bit clear) or not.
bool Present(unsigned indicators, unsigned bit) {
    return (indicators & bit) == 0;
}

void AddSmspParameters(std::string_view data, std::size_t at, unsigned indicators,
                       CDecodedContents& out) {
    if (Present(indicators, 0x01) && out.Has(at, kSmspAddressLength))
        DecodeSmsAddress(data, at, SmsAddressForm::Tp, "Destination address", out);
    at += kSmspAddressLength;
    if (Present(indicators, 0x02) && out.Has(at, kSmspAddressLength))
        DecodeSmsAddress(data, at, SmsAddressForm::Rp, "Service centre address", out);
    at += kSmspAddressLength;
    const auto pid = static_cast<std::uint8_t>(ByteAt(data, at));
    if (Present(indicators, 0x04))
        out.Add("Protocol identifier", HexByte(pid) + " " + ProtocolIdentifierText(pid), at, 1);
    const auto dcs = static_cast<std::uint8_t>(ByteAt(data, at + 1));
    if (Present(indicators, 0x08))
        out.Add("Data coding scheme", HexByte(dcs) + " " + DescribeDataCoding(dcs).m_strText,
                at + 1, 1);
    const auto period = static_cast<std::uint8_t>(ByteAt(data, at + 2));
    if (Present(indicators, 0x10))
        out.Add("Validity period", HexByte(period) + " " + RelativeValidityText(period), at + 2, 1);
}

std::string IndicatorText(unsigned indicators) {
    static const char* const kNames[5] = {"destination address", "service centre address",
                                          "protocol identifier", "data coding scheme",
                                          "validity period"};
    std::string text;
    for (unsigned bit = 0; bit < 5; ++bit) {
        if (!Present(indicators, 1u << bit)) continue;
        text += (text.empty() ? "" : ", ") + std::string(kNames[bit]);
    }
    return HexByte(indicators) + " " + (text.empty() ? "none present" : text);
}

}  // namespace

CDecodedContents DecodeSmsRecord(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned status = ByteAt(data, 0);
    if ((status & 0x01) == 0) {
        contents.Add("Status", "free", 0, 1);
        return contents;
    }
    if (!contents.Add("Status", HexByte(status) + " " + RecordStatusText(status), 0, 1))
        return contents;
    const std::size_t address =
        DecodeSmsAddress(data, 1, SmsAddressForm::Rp, "Service centre address", contents);
    if (address == 0) return contents;
    // Bit 3 set: a message from this mobile (sent or to be sent).
    const SmsDirection direction =
        (status & 0x04) ? SmsDirection::FromMobile : SmsDirection::ToMobile;
    DecodeSmsTpdu(data, 1 + address, direction, contents);
    return contents;
}

CDecodedContents DecodeSmsParameters(std::string_view data) {
    CDecodedContents contents(data.size());
    if (data.size() < kSmspFixedPart) {
        contents.AddProblem("EF SMSP record of " + std::to_string(data.size()) +
                            " bytes, shorter than its 28 fixed bytes");
        return contents;
    }
    const std::size_t alphaLength = data.size() - kSmspFixedPart;
    if (alphaLength > 0)
        contents.Add("Alpha identifier",
                     DecodeAlphaIdentifier(data.substr(0, alphaLength)).m_strText, 0, alphaLength);
    const unsigned indicators = ByteAt(data, alphaLength);
    contents.Add("Parameters present", IndicatorText(indicators), alphaLength, 1);
    AddSmspParameters(data, alphaLength + 1, indicators, contents);
    return contents;
}

CDecodedContents DecodeSmsStatus(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Last message reference", std::to_string(ByteAt(data, 0)), 0, 1);
    const unsigned flag = ByteAt(data, 1);
    contents.Add("Memory capacity",
                 (flag & 0x01) ? "available" : "exceeded (a message could not be stored)", 1, 1);
    return contents;
}

CDecodedContents DecodeSmsStatusReport(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned record = ByteAt(data, 0);
    if (!contents.Add("SMS record", record == 0 ? "none (free)" : std::to_string(record), 0, 1) ||
        record == 0)
        return contents;
    DecodeSmsTpdu(data, 1, SmsDirection::ToMobile, contents);
    return contents;
}
