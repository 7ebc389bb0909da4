// SPDX-License-Identifier: GPL-3.0-or-later
// Decoders of the service table, names, languages, cell broadcast ids and charging files.
#include "AlphaIdentifier.h"
#include "BcdDigits.h"
#include "DecoderText.h"
#include "DialNumber.h"
#include "EfDecoders.h"
#include "FileCatalogue.h"
#include "SimValues.h"

namespace {

std::string ServiceStateText(unsigned bits) {
    switch (bits & 0x03) {
        case 0x00:
            return "not allocated";
        case 0x01:
            return "allocated, not activated";
        case 0x03:
            return "allocated and activated";
        default:
            return "activated but not allocated (invalid)";
    }
}

// Entries of entrySize bytes, FF..FF unused; a cut last entry is named.
template <typename Value>
CDecodedContents DecodeEntries(std::string_view data, std::size_t entrySize, std::string_view name,
                               Value&& value) {
    CDecodedContents contents(data.size());
    std::size_t index = 0;
    for (std::size_t offset = 0; offset + entrySize <= data.size(); offset += entrySize, ++index) {
        const std::string_view entry = data.substr(offset, entrySize);
        contents.Add(Numbered(name, index), AllFF(entry) ? std::string("unused") : value(entry),
                     offset, entrySize);
    }
    if (data.size() % entrySize != 0 || data.empty()) {
        contents.Missing(Numbered(name, index), index * entrySize, entrySize);
    }
    return contents;
}

// eMLPP priority level bits: b1 A, b2 B, b3 to b7 levels 0 to 4.
std::string PriorityLevelsText(unsigned bits) {
    static constexpr const char* kLevels[] = {"A", "B", "0", "1", "2", "3", "4"};
    std::string text;
    for (unsigned bit = 0; bit < 7; ++bit) {
        if (!(bits & (1u << bit))) continue;
        if (!text.empty()) text += ", ";
        text += kLevels[bit];
    }
    return text.empty() ? "none" : text;
}

// Bits of the four message kinds: b1 voicemail, b2 fax, b3 electronic mail, b4 other.
constexpr const char* kMessageKinds[] = {"voicemail", "fax", "electronic mail", "other"};

}  // namespace

CDecodedContents DecodeServiceTable(std::string_view data) {
    CDecodedContents contents(data.size());
    if (data.empty()) contents.Missing("Service 1", 0, 1);
    // Four services a byte, two bits each: b1 allocated, b2 activated.
    for (std::size_t offset = 0; offset < data.size(); ++offset) {
        const unsigned byte = static_cast<unsigned char>(data[offset]);
        for (unsigned k = 0; k < 4; ++k) {
            const unsigned service = static_cast<unsigned>(offset) * 4 + k + 1;
            const std::string_view known = ServiceName(service);
            const std::string name = "Service " + std::to_string(service) + " (" +
                                     (known.empty() ? std::string("RFU") : std::string(known)) +
                                     ")";
            contents.Add(name, ServiceStateText(byte >> (2 * k)), offset, 1);
        }
    }
    return contents;
}

CDecodedContents DecodeServiceProviderName(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned condition = ByteAt(data, 0);
    std::string conditionText = HexByte(condition) + ": ";
    conditionText += condition & 0x01 ? "registered PLMN shown on the home network"
                                      : "registered PLMN not needed on the home network";
    conditionText +=
        condition & 0x02 ? "; name not needed when roaming" : "; name shown when roaming";
    if (!contents.Add("Display condition", conditionText, 0, 1)) return contents;
    const std::string_view nameBytes = Slice(data, 1, kSpnSize - 1);
    const CAlphaIdentifier name = DecodeAlphaIdentifier(nameBytes);
    contents.Add("Service provider name", name.m_strText, 1, nameBytes.size());
    contents.Add("Name coding", std::string(AlphaCodingName(name.m_coding)), 1,
                 nameBytes.empty() ? 0 : 1);
    if (name.m_bCut)
        contents.AddProblem("Service provider name: the coding's count passes the file's end");
    if (data.size() < kSpnSize)
        contents.Missing("Service provider name", data.size(), kSpnSize - data.size());
    return contents;
}

CDecodedContents DecodeLanguagePreference(std::string_view data) {
    return DecodeEntries(data, 1, "Language", [](std::string_view entry) {
        const unsigned code = static_cast<unsigned char>(entry[0]);
        const std::string_view name = LanguageName(static_cast<std::uint8_t>(code));
        return (name.empty() ? std::string("unknown") : std::string(name)) + " (" + HexByte(code) +
               ")";
    });
}

CDecodedContents DecodeExtendedLanguagePreference(std::string_view data) {
    return DecodeEntries(data, 2, "Language", [](std::string_view entry) {
        return DecodeAlphaIdentifier(entry).m_strText;
    });
}

CDecodedContents DecodeEmergencyCallCodes(std::string_view data) {
    return DecodeEntries(data, 3, "Emergency call code",
                         [](std::string_view entry) { return DecodeBcdDigits(entry); });
}

CDecodedContents DecodeCellBroadcastIds(std::string_view data) {
    return DecodeEntries(data, 2, "Message identifier", [](std::string_view entry) {
        return std::to_string(BigEndian(entry)) + " (" + HexOf(entry) + ")";
    });
}

CDecodedContents DecodeCellBroadcastRanges(std::string_view data) {
    return DecodeEntries(data, 4, "Message identifier range", [](std::string_view entry) {
        return std::to_string(BigEndian(entry.substr(0, 2))) + " to " +
               std::to_string(BigEndian(entry.substr(2, 2)));
    });
}

CDecodedContents DecodeGroupIds(std::string_view data) {
    return DecodeEntries(data, 4, "Group id",
                         [](std::string_view entry) { return DecodeBcdDigits(entry); });
}

CDecodedContents DecodeAccumulatedCallMeter(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Units", std::to_string(BigEndian(Slice(data, 0, 3))), 0, 3);
    return contents;
}

CDecodedContents DecodePricePerUnit(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Currency code", DecodeAlphaIdentifier(Slice(data, 0, 3)).m_strText, 0, 3);
    // EPPU: byte 4 and the low nibble of byte 5; byte 5 b7-b5 the exponent, b8 its sign.
    const unsigned high = ByteAt(data, 3);
    const unsigned low = ByteAt(data, 4);
    const unsigned eppu = high << 4 | (low & 0x0F);
    const int exponent = static_cast<int>((low >> 4) & 0x07) * (low & 0x80 ? -1 : 1);
    contents.Add("Price per unit", std::to_string(eppu) + " x 10^" + std::to_string(exponent), 3,
                 2);
    return contents;
}

CDecodedContents DecodePriorityLevels(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Priority levels", PriorityLevelsText(ByteAt(data, 0)), 0, 1);
    contents.Add("Fast call set-up levels", PriorityLevelsText(ByteAt(data, 1)), 1, 1);
    return contents;
}

CDecodedContents DecodeAutoAnswerLevels(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Automatic answer levels", PriorityLevelsText(ByteAt(data, 0)), 0, 1);
    return contents;
}

CDecodedContents DecodeMailboxIds(std::string_view data) {
    CDecodedContents contents(data.size());
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned id = ByteAt(data, i);
        contents.Add(std::string(kMessageKinds[i]) + " mailbox",
                     id == 0 ? std::string("none") : "MBDN record " + std::to_string(id), i, 1);
    }
    return contents;
}

CDecodedContents DecodeMessageWaiting(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned status = ByteAt(data, 0);
    std::string waiting;
    for (unsigned bit = 0; bit < 4; ++bit) {
        if (!(status & (1u << bit))) continue;
        if (!waiting.empty()) waiting += ", ";
        waiting += kMessageKinds[bit];
    }
    contents.Add("Messages waiting", waiting.empty() ? "none" : waiting, 0, 1);
    for (std::size_t i = 0; i < 4; ++i) {
        contents.Add(std::string("Waiting ") + kMessageKinds[i] + " messages",
                     std::to_string(ByteAt(data, i + 1)), i + 1, 1);
    }
    return contents;
}

CDecodedContents DecodeCallForwarding(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("MSP number", std::to_string(ByteAt(data, 0)), 0, 1);
    // CFU indicator status: b1 voice, b2 fax, b3 data, b4 SMS, b5 all bearers.
    static constexpr const char* kBearers[] = {"voice", "fax", "data", "SMS", "all bearers"};
    const unsigned status = ByteAt(data, 1);
    std::string forwarded;
    for (unsigned bit = 0; bit < 5; ++bit) {
        if (!(status & (1u << bit))) continue;
        if (!forwarded.empty()) forwarded += ", ";
        forwarded += kBearers[bit];
    }
    contents.Add("Unconditionally forwarded", forwarded.empty() ? "none" : forwarded, 1, 1);
    // Bytes 3 to 16 are laid out as the 14 bytes after an ADN record's name.
    const std::optional<CDialNumber> number = ParseDialNumber(Slice(data, 2, kDialNumberTrailer));
    contents.Add("Forwarded-to number", number ? number->m_strNumber : std::string(), 2, 12);
    contents.Add("Capability/configuration 2", RecordIdText(ByteAt(data, 14)), 14, 1);
    contents.Add("Extension 7", RecordIdText(ByteAt(data, 15)), 15, 1);
    return contents;
}
