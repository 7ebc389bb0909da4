// SPDX-License-Identifier: GPL-3.0-or-later
// Decoders of the card's identity and location files.
#include "BcdDigits.h"
#include "DecoderText.h"
#include "EfDecoders.h"
#include "Plmn.h"
#include "SimValues.h"

#include <array>

namespace {

// Bytes past a file's fixed size: named, never silently dropped.
void NoteExtra(CDecodedContents& contents, std::string_view data, std::size_t size) {
    if (data.size() > size) {
        const std::size_t extra = data.size() - size;
        contents.AddProblem(std::to_string(extra) + (extra == 1 ? " byte" : " bytes") +
                            " after the file's " + std::to_string(size));
    }
}

std::string UpdateStatusText(unsigned value, std::string_view area) {
    switch (value & 0x07) {
        case 0:
            return "updated";
        case 1:
            return "not updated";
        case 2:
            return "PLMN not allowed";
        case 3:
            return std::string(area) + " not allowed";
        default:
            return "reserved (" + HexByte(value) + ")";
    }
}

}  // namespace

CDecodedContents DecodeIccid(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("ICCID", DecodeSwappedBcd(Slice(data, 0, 10)), 0, 10);
    NoteExtra(contents, data, 10);
    return contents;
}

CDecodedContents DecodeImsi(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned length = ByteAt(data, 0);
    if (!contents.Add("Length", std::to_string(length) + " bytes", 0, 1)) return contents;
    if (length == 0 || length > 8) {
        contents.AddProblem("IMSI length " + std::to_string(length) + " is not 1 to 8");
        if (length == 0xFF || length == 0) return contents;
    }
    const std::size_t bodyLength = length > 8 ? 8 : length;
    const std::optional<std::string> digits = ParseImsi(data.substr(0, 1 + bodyLength));
    if (contents.Add("IMSI", digits.value_or(""), 1, bodyLength) && digits) {
        contents.Add("MCC", digits->substr(0, 3), 1, 2);
    }
    NoteExtra(contents, data, 9);
    return contents;
}

CDecodedContents DecodeKc(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("Kc", HexOf(Slice(data, 0, 8)), 0, 8);
    const unsigned sequence = ByteAt(data, 8) & 0x07;
    contents.Add("Key sequence number",
                 sequence == 7 ? std::string("7 (no key available)") : std::to_string(sequence), 8,
                 1);
    NoteExtra(contents, data, 9);
    return contents;
}

CDecodedContents DecodeLoci(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("TMSI", HexOf(Slice(data, 0, 4)), 0, 4);
    contents.Add("LAI PLMN", PlmnText(DecodePlmn(Slice(data, 4, 3))), 4, 3);
    contents.Add("LAC", HexOf(Slice(data, 7, 2)), 7, 2);
    contents.Add("TMSI TIME", HexOf(Slice(data, 9, 1)), 9, 1);
    contents.Add("Location update status", UpdateStatusText(ByteAt(data, 10), "location area"), 10,
                 1);
    NoteExtra(contents, data, 11);
    return contents;
}

CDecodedContents DecodeLociGprs(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("P-TMSI", HexOf(Slice(data, 0, 4)), 0, 4);
    contents.Add("P-TMSI signature", HexOf(Slice(data, 4, 3)), 4, 3);
    contents.Add("RAI PLMN", PlmnText(DecodePlmn(Slice(data, 7, 3))), 7, 3);
    contents.Add("LAC", HexOf(Slice(data, 10, 2)), 10, 2);
    contents.Add("RAC", HexOf(Slice(data, 12, 1)), 12, 1);
    contents.Add("Routing area update status", UpdateStatusText(ByteAt(data, 13), "routing area"),
                 13, 1);
    NoteExtra(contents, data, 14);
    return contents;
}

CDecodedContents DecodeAdministrativeData(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned mode = ByteAt(data, 0);
    std::string modeText;
    switch (mode) {
        case 0x00:
            modeText = "normal operation";
            break;
        case 0x80:
            modeText = "type approval operations";
            break;
        case 0x01:
            modeText = "normal operation and specific facilities";
            break;
        case 0x81:
            modeText = "type approval operations and specific facilities";
            break;
        case 0x02:
            modeText = "maintenance (off line)";
            break;
        case 0x04:
            modeText = "cell test operation";
            break;
        default:
            modeText = "unknown";
            break;
    }
    contents.Add("MS operation mode", HexByte(mode) + " (" + modeText + ")", 0, 1);
    contents.Add("Additional information", HexOf(Slice(data, 1, 2)), 1, 2);
    // Byte 4 came with phase 2+; a 3-byte AD predates it, so it is optional.
    if (data.size() > 3) {
        const unsigned mncLength = ByteAt(data, 3) & 0x0F;
        contents.Add("Length of MNC in the IMSI",
                     mncLength == 2 || mncLength == 3 ? std::to_string(mncLength) + " digits"
                                                      : "reserved (" + HexByte(mncLength) + ")",
                     3, 1);
    }
    if (data.size() > 4) contents.Add("RFU", HexOf(data.substr(4)), 4, data.size() - 4);
    return contents;
}

CDecodedContents DecodePhase(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned phase = ByteAt(data, 0);
    std::string text;
    switch (phase) {
        case 0x00:
            text = "phase 1";
            break;
        case 0x02:
            text = "phase 2";
            break;
        case 0x03:
            text = "phase 2+ (profile download required)";
            break;
        default:
            text = "reserved";
            break;
    }
    contents.Add("SIM phase", HexByte(phase) + " (" + text + ")", 0, 1);
    NoteExtra(contents, data, 1);
    return contents;
}

CDecodedContents DecodeAccessControlClass(std::string_view data) {
    CDecodedContents contents(data.size());
    // Byte 1 holds classes 15 to 8, byte 2 classes 7 to 0.
    const std::uint32_t bits = BigEndian(Slice(data, 0, 2));
    std::string classes;
    for (int n = 0; n < 16; ++n) {
        if (!(bits & (1u << n))) continue;
        if (!classes.empty()) classes += ", ";
        classes += std::to_string(n);
    }
    contents.Add("Access control classes", classes.empty() ? "none" : classes, 0, 2);
    NoteExtra(contents, data, 2);
    return contents;
}

CDecodedContents DecodeBcch(std::string_view data) {
    CDecodedContents contents(data.size());
    contents.Add("BCCH information", HexOf(Slice(data, 0, 16)), 0, 16);
    NoteExtra(contents, data, 16);
    return contents;
}

CDecodedContents DecodeGroupIdentifier(std::string_view data) {
    CDecodedContents contents(data.size());
    if (data.empty()) {
        contents.Missing("Group identifier", 0, 1);
        return contents;
    }
    contents.Add("Group identifier", HexOf(data), 0, data.size());
    return contents;
}
