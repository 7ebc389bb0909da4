// SPDX-License-Identifier: GPL-3.0-or-later
// Decoders of the PLMN lists and the home network search period.
#include "DecoderText.h"
#include "EfDecoders.h"
#include "GsmAlphabet.h"
#include "Plmn.h"
#include "SimValues.h"
#include "Ucs2Text.h"

namespace {

constexpr std::size_t kPlmnSize = 3;
constexpr std::size_t kPlmnActSize = 5;

// Whole entries of entrySize bytes; a cut last entry is named.
void NoteCutEntry(CDecodedContents& contents, std::string_view data, std::size_t entrySize,
                  std::string_view name) {
    const std::size_t rest = data.size() % entrySize;
    if (rest != 0) {
        contents.Missing(Numbered(name, data.size() / entrySize), data.size() - rest, entrySize);
    }
}

CDecodedContents DecodePlmns(std::string_view data, std::string_view name) {
    CDecodedContents contents(data.size());
    const PlmnList list = ParsePlmnList(data);
    for (std::size_t i = 0; i < list.size(); ++i) {
        contents.Add(Numbered(name, i), PlmnText(list[i]), i * kPlmnSize, kPlmnSize);
    }
    NoteCutEntry(contents, data, kPlmnSize, name);
    if (data.empty()) contents.Missing(Numbered(name, 0), 0, kPlmnSize);
    return contents;
}

// A network name of TS 24.008 10.5.3.5a: a byte of coding (b7-b5: 000 GSM 7-bit packed,
// 001 UCS2; b3-b1: spare bits in the last byte), then the text.
std::string NetworkNameText(std::string_view value) {
    if (value.empty()) return {};
    const unsigned coding = static_cast<unsigned char>(value[0]);
    const std::string_view text = value.substr(1);
    switch ((coding >> 4) & 0x07) {
        case 0: {
            const std::size_t bits = text.size() * 8;
            const std::size_t spare = coding & 0x07;
            const std::size_t septets = bits >= spare ? (bits - spare) / 7 : 0;
            return GsmSeptetsToUtf8(UnpackSeptets(text, septets));
        }
        case 1:
            return Ucs2ToUtf8(text);
        default:
            return "(coding scheme " + std::to_string((coding >> 4) & 0x07) + ") " + HexOf(text);
    }
}

// A TLV's value, or its problem when its length passes the input's end.
bool AddTlvField(CDecodedContents& contents, const CTlv& tlv, const std::string& name,
                 const std::string& value) {
    if (tlv.m_bCut) {
        contents.AddProblem(name + ": its length passes the end of the data");
        return false;
    }
    return contents.Add(name, value, tlv.m_nOffset,
                        tlv.m_nValueOffset - tlv.m_nOffset + tlv.m_value.size());
}

}  // namespace

CDecodedContents DecodePlmnSelector(std::string_view data) {
    return DecodePlmns(data, "PLMN");
}

CDecodedContents DecodeForbiddenPlmns(std::string_view data) {
    // The file holds exactly four entries; each one a short file lacks is named.
    constexpr std::size_t kForbiddenSize = 4 * kPlmnSize;
    CDecodedContents contents = DecodePlmns(data, "Forbidden PLMN");
    if (data.size() % kPlmnSize == 0) {
        // An empty file already names its first entry.
        const std::size_t first = data.empty() ? kPlmnSize : data.size();
        for (std::size_t offset = first; offset < kForbiddenSize; offset += kPlmnSize) {
            contents.Missing(Numbered("Forbidden PLMN", offset / kPlmnSize), offset, kPlmnSize);
        }
    }
    return contents;
}

CDecodedContents DecodePlmnActList(std::string_view data) {
    CDecodedContents contents(data.size());
    const std::vector<CPlmnWithAct> list = ParsePlmnActList(data);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::size_t offset = i * kPlmnActSize;
        contents.Add(Numbered("PLMN", i), PlmnText(list[i].m_plmn), offset, kPlmnSize);
        contents.Add(Numbered("Access technology", i), AccessTechnologyText(list[i].m_nAct),
                     offset + kPlmnSize, 2);
    }
    NoteCutEntry(contents, data, kPlmnActSize, "PLMN");
    if (data.empty()) contents.Missing("PLMN 1", 0, kPlmnActSize);
    return contents;
}

CDecodedContents DecodeHplmnSearchPeriod(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned period = ByteAt(data, 0);
    // The unit is TS 22.011's n, 6 minutes since phase 2+.
    contents.Add("Search period",
                 period == 0 ? std::string("no higher priority PLMN search")
                             : std::to_string(period) + " x 6 minutes",
                 0, 1);
    return contents;
}

CDecodedContents DecodePlmnNetworkName(std::string_view data) {
    CDecodedContents contents(data.size());
    std::size_t offset = 0;
    CTlv tlv;
    while (NextTlv(data, offset, tlv)) {
        switch (tlv.m_nTag) {
            case 0x43:
                AddTlvField(contents, tlv, "Full name", NetworkNameText(tlv.m_value));
                break;
            case 0x45:
                AddTlvField(contents, tlv, "Short name", NetworkNameText(tlv.m_value));
                break;
            case 0x80:
                AddTlvField(contents, tlv, "PLMN additional information", HexOf(tlv.m_value));
                break;
            default:
                AddTlvField(contents, tlv, "Tag " + HexByte(tlv.m_nTag), HexOf(tlv.m_value));
                break;
        }
    }
    if (contents.Fields().empty() && contents.Complete()) {
        contents.Add("Record", AllFF(data) ? "empty" : "no network name", 0, data.size());
    }
    return contents;
}

CDecodedContents DecodeOperatorPlmnList(std::string_view data) {
    CDecodedContents contents(data.size());
    // D in a PLMN digit matches any digit, so PlmnText shows it as it stands.
    contents.Add("PLMN", PlmnText(DecodePlmn(Slice(data, 0, 3))), 0, 3);
    contents.Add("LAC range", HexOf(Slice(data, 3, 2)) + " to " + HexOf(Slice(data, 5, 2)), 3, 4);
    const unsigned record = ByteAt(data, 7);
    contents.Add(
        "PNN record",
        record == 0 ? std::string("none (name from other sources)") : std::to_string(record), 7, 1);
    return contents;
}

CDecodedContents DecodeServiceProviderDisplay(std::string_view data) {
    CDecodedContents contents(data.size());
    std::size_t offset = 0;
    CTlv outer;
    if (!NextTlv(data, offset, outer) || outer.m_nTag != 0xA3) {
        contents.AddProblem("no service provider display information (tag A3)");
        return contents;
    }
    if (outer.m_bCut) contents.AddProblem("Tag A3: its length passes the end of the data");
    std::size_t inner = 0;
    CTlv list;
    if (!NextTlv(outer.m_value, inner, list) || list.m_nTag != 0x80) {
        contents.AddProblem("no PLMN list (tag 80) in tag A3");
        return contents;
    }
    if (list.m_bCut) contents.AddProblem("Tag 80: its length passes the end of the data");
    const std::size_t base = outer.m_nValueOffset + list.m_nValueOffset;
    const PlmnList plmns = ParsePlmnList(list.m_value);
    for (std::size_t i = 0; i < plmns.size(); ++i) {
        contents.Add(Numbered("Service provider PLMN", i), PlmnText(plmns[i]), base + i * kPlmnSize,
                     kPlmnSize);
    }
    if (list.m_value.size() % kPlmnSize != 0) {
        contents.Missing(Numbered("Service provider PLMN", plmns.size()),
                         base + plmns.size() * kPlmnSize, kPlmnSize);
    }
    return contents;
}

CDecodedContents DecodeCooperativeNetworks(std::string_view data) {
    CDecodedContents contents(data.size());
    // 6 bytes an entry: PLMN, network subset digits 6 and 7, service provider id, corporate
    // id; F digits and FF ids are unused parts of a personalisation code.
    constexpr std::size_t kEntrySize = 6;
    std::size_t index = 0;
    for (std::size_t offset = 0; offset + kEntrySize <= data.size();
         offset += kEntrySize, ++index) {
        const std::string_view entry = data.substr(offset, kEntrySize);
        const std::string prefix = Numbered("Co-operative network", index);
        if (AllFF(entry)) {
            contents.Add(prefix, "unused", offset, kEntrySize);
            continue;
        }
        contents.Add(prefix + " PLMN", PlmnText(DecodePlmn(entry)), offset, kPlmnSize);
        contents.Add(prefix + " network subset", HexOf(entry.substr(3, 1)), offset + 3, 1);
        contents.Add(prefix + " service provider", HexOf(entry.substr(4, 1)), offset + 4, 1);
        contents.Add(prefix + " corporate", HexOf(entry.substr(5, 1)), offset + 5, 1);
    }
    NoteCutEntry(contents, data, kEntrySize, "Co-operative network");
    if (data.empty()) contents.Missing("Co-operative network 1", 0, kEntrySize);
    return contents;
}
