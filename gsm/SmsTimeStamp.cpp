// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsTimeStamp.h"

#include "DecoderText.h"

namespace {

// Two swapped semi-octets: the low nibble is the tens digit.
std::string SwappedPair(unsigned octet) {
    static const char kHex[] = "0123456789ABCDEF";
    return {kHex[octet & 0x0F], kHex[octet >> 4]};
}

unsigned SwappedValue(unsigned octet) {
    return (octet & 0x0F) * 10 + (octet >> 4);
}

std::string Plural(unsigned count, const char* unit) {
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

std::string DurationText(unsigned minutes) {
    if (minutes < 60) return Plural(minutes, "minute");
    std::string text = Plural(minutes / 60, "hour");
    if (minutes % 60 != 0) text += " " + Plural(minutes % 60, "minute");
    return text;
}

std::string ZoneText(unsigned octet) {
    // Bit 3 is the sign; the rest is the number of quarter hours, tens digit first.
    const unsigned quarters = (octet & 0x07) * 10 + (octet >> 4);
    const unsigned minutes = quarters * 15;
    std::string hours = std::to_string(minutes / 60);
    std::string rest = std::to_string(minutes % 60);
    return std::string((octet & 0x08) ? "-" : "+") + (hours.size() < 2 ? "0" : "") + hours + ":" +
           (rest.size() < 2 ? "0" : "") + rest;
}

}  // namespace

std::string SmsTimeStampText(std::string_view sevenOctets) {
    if (sevenOctets.size() < kSmsTimeStampLength) return "(cut short)";
    const unsigned year = ByteAt(sevenOctets, 0);
    const std::string century = SwappedValue(year) >= 90 && SwappedValue(year) <= 99 ? "19" : "20";
    return century + SwappedPair(year) + "-" + SwappedPair(ByteAt(sevenOctets, 1)) + "-" +
           SwappedPair(ByteAt(sevenOctets, 2)) + " " + SwappedPair(ByteAt(sevenOctets, 3)) + ":" +
           SwappedPair(ByteAt(sevenOctets, 4)) + ":" + SwappedPair(ByteAt(sevenOctets, 5)) + " " +
           ZoneText(ByteAt(sevenOctets, 6));
}

std::string RelativeValidityText(std::uint8_t value) {
    if (value <= 143) return DurationText((value + 1u) * 5);
    if (value <= 167) return DurationText(12 * 60 + (value - 143u) * 30);
    if (value <= 196) return Plural(value - 166u, "day");
    return Plural(value - 192u, "week");
}

std::string EnhancedValidityText(std::string_view sevenOctets) {
    if (sevenOctets.size() < kEnhancedValidityLength) return "(cut short)";
    const unsigned indicator = ByteAt(sevenOctets, 0);
    // An extension octet of functionality indicators moves the period one octet on.
    const std::size_t first = (indicator & 0x80) ? 2 : 1;
    std::string text;
    switch (indicator & 0x07) {
        case 0:
            text = "none";
            break;
        case 1:
            text = "relative: " +
                   RelativeValidityText(static_cast<std::uint8_t>(ByteAt(sevenOctets, first)));
            break;
        case 2:
            text = Plural(ByteAt(sevenOctets, first), "second");
            break;
        case 3:
            text = "relative: " + SwappedPair(ByteAt(sevenOctets, first)) + ":" +
                   SwappedPair(ByteAt(sevenOctets, first + 1)) + ":" +
                   SwappedPair(ByteAt(sevenOctets, first + 2));
            break;
        default:
            text = "reserved format " + std::to_string(indicator & 0x07);
            break;
    }
    if (indicator & 0x40) text += ", single shot";
    return text;
}
