// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialNumber.h"

#include "AlphaIdentifier.h"
#include "BcdDigits.h"

namespace {

constexpr std::size_t kMaxNumberBytes = 10;  // BCD bytes of the number in the record
constexpr std::uint8_t kTonMask = 0x70;

}  // namespace

bool CDialNumber::operator==(const CDialNumber& other) const {
    return m_strAlpha == other.m_strAlpha && m_strNumber == other.m_strNumber &&
           m_nTonNpi == other.m_nTonNpi && m_nCcpId == other.m_nCcpId &&
           m_nExtId == other.m_nExtId && m_nComparisonId == other.m_nComparisonId;
}

std::optional<CDialNumber> ParseDialNumber(std::string_view record, std::size_t trailer) {
    if (record.size() < trailer) return std::nullopt;
    const std::size_t alphaLength = record.size() - trailer;
    const std::string_view tail = record.substr(alphaLength);
    CDialNumber entry;
    entry.m_strAlpha = DecodeAlphaIdentifier(record.substr(0, alphaLength)).m_strText;
    const unsigned length = static_cast<unsigned char>(tail[0]);
    entry.m_nTonNpi = static_cast<std::uint8_t>(tail[1]);
    if (length != 0xFF && length >= 1) {
        // The length counts the TON/NPI byte; a length past the field reads what is there.
        const std::size_t digitBytes = std::min<std::size_t>(length - 1, kMaxNumberBytes);
        entry.m_strNumber = DecodeBcdDigits(tail.substr(2, digitBytes));
        if ((entry.m_nTonNpi & kTonMask) == kTonInternational) {
            entry.m_strNumber.insert(0, 1, '+');
        }
    }
    entry.m_nCcpId = static_cast<std::uint8_t>(tail[12]);
    entry.m_nExtId = static_cast<std::uint8_t>(tail[13]);
    if (trailer > kDialNumberTrailer) entry.m_nComparisonId = static_cast<std::uint8_t>(tail[14]);
    return entry;
}

CEncodeResult EncodeDialNumber(const CDialNumber& entry, std::size_t recordLength,
                               std::size_t trailer) {
    if (recordLength < trailer) {
        return CEncodeResult::Error("the record is shorter than " + std::to_string(trailer) +
                                    " bytes");
    }
    const std::size_t alphaLength = recordLength - trailer;
    const std::optional<std::string> alpha = EncodeAlphaIdentifier(entry.m_strAlpha, alphaLength);
    if (!alpha) {
        return CEncodeResult::Error("the name does not fit in " + std::to_string(alphaLength) +
                                    " bytes");
    }
    std::string digits = entry.m_strNumber;
    std::uint8_t tonNpi = entry.m_nTonNpi;
    if (!digits.empty() && digits[0] == '+') {
        digits.erase(0, 1);
        if (digits.empty()) return CEncodeResult::Error("the number has no digits after '+'");
        tonNpi = static_cast<std::uint8_t>((tonNpi & ~kTonMask) | kTonInternational);
    }
    const std::optional<std::string> bcd = EncodeBcdDigits(digits);
    if (!bcd) return CEncodeResult::Error("the number holds a character that is not a digit");
    if (bcd->size() > kMaxNumberBytes) {
        return CEncodeResult::Error("the number has more than 20 digits");
    }
    std::string record = *alpha;
    std::string tail(trailer, '\xFF');
    if (!digits.empty()) {
        tail[0] = static_cast<char>(bcd->size() + 1);
        tail.replace(2, bcd->size(), *bcd);
    }
    // An empty entry keeps its TON/NPI byte only when it is in use.
    tail[1] = digits.empty() && tonNpi == 0xFF ? '\xFF' : static_cast<char>(tonNpi);
    tail[12] = static_cast<char>(entry.m_nCcpId);
    tail[13] = static_cast<char>(entry.m_nExtId);
    if (trailer > kDialNumberTrailer) tail[14] = static_cast<char>(entry.m_nComparisonId);
    return CEncodeResult::Bytes(record + tail);
}

std::string_view TypeOfNumberName(std::uint8_t tonNpi) {
    switch ((tonNpi >> 4) & 0x07) {
        case 0:
            return "unknown";
        case 1:
            return "international";
        case 2:
            return "national";
        case 3:
            return "network specific";
        case 4:
            return "dedicated access, short code";
        default:
            return "reserved";
    }
}

std::string_view NumberingPlanName(std::uint8_t tonNpi) {
    switch (tonNpi & 0x0F) {
        case 0x0:
            return "unknown";
        case 0x1:
            return "ISDN/telephony (E.164/E.163)";
        case 0x3:
            return "data (X.121)";
        case 0x4:
            return "telex (F.69)";
        case 0x8:
            return "national";
        case 0x9:
            return "private";
        case 0xF:
            return "reserved for extension";
        default:
            return "reserved";
    }
}
