// SPDX-License-Identifier: GPL-3.0-or-later
// Decoders of the dialling number records and the records they point to.
#include "AlphaIdentifier.h"
#include "BcdDigits.h"
#include "DecoderText.h"
#include "DialNumber.h"
#include "EfDecoders.h"

namespace {

constexpr std::size_t kExtensionSize = 13;
constexpr std::size_t kCcpSize = 14;

CDecodedContents DecodeDialRecord(std::string_view data, std::size_t trailer) {
    CDecodedContents contents(data.size());
    if (data.size() < trailer) {
        contents.Missing("Dialling number", data.size(), trailer - data.size());
        return contents;
    }
    if (AllFF(data)) {
        contents.Add("Record", "empty", 0, data.size());
        return contents;
    }
    const std::size_t x = data.size() - trailer;
    const CDialNumber entry = *ParseDialNumber(data, trailer);
    if (x > 0) {
        const CAlphaIdentifier alpha = DecodeAlphaIdentifier(data.substr(0, x));
        contents.Add("Alpha identifier", alpha.m_strText, 0, x);
        contents.Add("Alpha coding", std::string(AlphaCodingName(alpha.m_coding)), 0, 1);
        if (alpha.m_bCut)
            contents.AddProblem("Alpha identifier: the coding's count passes its field");
    }
    const unsigned length = ByteAt(data, x);
    contents.Add("Number length",
                 length == 0xFF ? std::string("unused") : std::to_string(length) + " bytes", x, 1);
    if (length != 0xFF && (length < 1 || length > 11)) {
        contents.AddProblem("Number length " + std::to_string(length) + " is not 1 to 11");
    }
    const unsigned tonNpi = ByteAt(data, x + 1);
    contents.Add("Type of number", std::string(TypeOfNumberName(static_cast<std::uint8_t>(tonNpi))),
                 x + 1, 1);
    contents.Add("Numbering plan",
                 std::string(NumberingPlanName(static_cast<std::uint8_t>(tonNpi))), x + 1, 1);
    const std::size_t digitBytes = length == 0xFF || length == 0 ? 0 : std::min(length - 1, 10u);
    contents.Add("Number", entry.m_strNumber, x + 2, digitBytes == 0 ? 10 : digitBytes);
    contents.Add("Capability/configuration", RecordIdText(entry.m_nCcpId), x + 12, 1);
    contents.Add("Extension", RecordIdText(entry.m_nExtId), x + 13, 1);
    if (trailer > kDialNumberTrailer) {
        contents.Add("Comparison method", RecordIdText(entry.m_nComparisonId), x + 14, 1);
    }
    return contents;
}

}  // namespace

CDecodedContents DecodeDialNumber(std::string_view data) {
    return DecodeDialRecord(data, kDialNumberTrailer);
}

CDecodedContents DecodeBarredDialNumber(std::string_view data) {
    return DecodeDialRecord(data, kBarredDialNumberTrailer);
}

CDecodedContents DecodeExtension(std::string_view data) {
    CDecodedContents contents(data.size());
    if (AllFF(data) && data.size() == kExtensionSize) {
        contents.Add("Record", "empty", 0, data.size());
        return contents;
    }
    const unsigned type = ByteAt(data, 0);
    std::string typeText;
    switch (type) {
        case 0x01:
            typeText = "called party subaddress";
            break;
        case 0x02:
            typeText = "additional data";
            break;
        default:
            typeText = "unknown";
            break;
    }
    contents.Add("Record type", HexByte(type) + " (" + typeText + ")", 0, 1);
    const unsigned length = ByteAt(data, 1);
    contents.Add("Data length", std::to_string(length) + " bytes", 1, 1);
    if (length != 0xFF && length > 10) {
        contents.AddProblem("Data length " + std::to_string(length) + " is more than 10");
    }
    const std::size_t used = length == 0xFF ? 0 : std::min(length, 10u);
    const std::string_view body = Slice(data, 2, used);
    // Additional data continues the BCD digits of the number; a subaddress is shown raw.
    contents.Add("Extension data", type == 0x02 ? DecodeBcdDigits(body) : HexOf(body), 2,
                 used == 0 ? 10 : used);
    contents.Add("Next extension", RecordIdText(ByteAt(data, 12)), 12, 1);
    return contents;
}

CDecodedContents DecodeCapabilityConfiguration(std::string_view data) {
    CDecodedContents contents(data.size());
    if (AllFF(data) && data.size() == kCcpSize) {
        contents.Add("Record", "empty", 0, data.size());
        return contents;
    }
    // A bearer capability element of TS 24.008 10.5.4.5 without its IEI: length, then
    // contents; octet 3's low bits name the transfer capability.
    const unsigned length = ByteAt(data, 0);
    contents.Add("Bearer capability length", std::to_string(length) + " bytes", 0, 1);
    const std::size_t used = std::min(length, 9u);
    contents.Add("Bearer capability", HexOf(Slice(data, 1, used)), 1, used == 0 ? 9 : used);
    if (length >= 1 && data.size() > 1) {
        static constexpr const char* kCapabilities[8] = {
            "speech",        "unrestricted digital information",
            "3.1 kHz audio", "facsimile group 3",
            "reserved",      "other ITC",
            "reserved",      "reserved (speech, auxiliary)"};
        contents.Add("Information transfer capability", kCapabilities[ByteAt(data, 1) & 0x07], 1,
                     1);
    }
    if (length > 9)
        contents.AddProblem("Bearer capability length " + std::to_string(length) +
                            " is more than 9");
    contents.Add("RFU", HexOf(Slice(data, 10, 4)), 10, 4);
    return contents;
}
