// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsAddress.h"

#include "BcdDigits.h"
#include "DecoderText.h"
#include "DialNumber.h"
#include "GsmAlphabet.h"

namespace {

constexpr unsigned kTonMask = 0x70;
constexpr unsigned kTonAlphanumeric = 0x50;
constexpr std::size_t kMaxTpDigits = 20;  // TS 23.040: at most 10 octets of digits
constexpr std::size_t kMaxRpOctets = 11;  // TS 24.011: TON/NPI and 10 octets

std::string AlphanumericText(std::string_view octets, std::size_t digitCount) {
    // Semi-octets of packed septets: 4 bits each, so the septets are the whole 7-bit groups.
    return GsmSeptetsToUtf8(UnpackSeptets(octets, digitCount * 4 / 7));
}

}  // namespace

std::string SmsAddressText(unsigned tonNpi, std::string_view digits, std::size_t digitCount) {
    const auto type = static_cast<std::uint8_t>(tonNpi);
    if ((tonNpi & kTonMask) == kTonAlphanumeric)
        return AlphanumericText(digits, digitCount) + " (alphanumeric)";
    std::string number = DecodeBcdDigits(digits).substr(0, digitCount);
    if (number.empty() && digitCount == 0) return "none";
    if ((tonNpi & kTonMask) == kTonInternational) number.insert(0, "+");
    return number + " (" + std::string(TypeOfNumberName(type)) + ", " +
           std::string(NumberingPlanName(type)) + ")";
}

std::size_t DecodeSmsAddress(std::string_view data, std::size_t start, SmsAddressForm form,
                             std::string_view name, CDecodedContents& out) {
    if (!out.Has(start, 1)) {
        out.Missing(name, start, 1);
        return 0;
    }
    const unsigned length = ByteAt(data, start);
    std::size_t octets = 0;
    std::size_t digitCount = 0;
    if (form == SmsAddressForm::Tp) {
        if (length > kMaxTpDigits) {
            out.AddProblem(std::string(name) + ": length of " + std::to_string(length) +
                           " digits is above 20");
            return 0;
        }
        octets = 1 + (length + 1) / 2;
        digitCount = length;
    } else {
        if (length == 0) {
            out.Add(std::string(name), "none", start, 1);
            return 1;
        }
        if (length > kMaxRpOctets) {
            out.AddProblem(std::string(name) + ": length of " + std::to_string(length) +
                           " bytes is above 11");
            return 0;
        }
        octets = length;
        digitCount = 2 * (length - 1);
    }
    const std::string_view digits = Slice(data, start + 2, octets - 1);
    const std::string text = SmsAddressText(ByteAt(data, start + 1), digits, digitCount);
    return out.Add(std::string(name), text, start, 1 + octets) ? 1 + octets : 0;
}
