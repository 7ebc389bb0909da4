// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDescription.h"

#include "ByteText.h"
#include "HexText.h"
#include "ResponseText.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string FileType(std::string_view code) {
    if (code == "01") return "MF";
    if (code == "02") return "DF";
    if (code == "04") return "EF";
    return "RFU";
}

std::string Structure(std::string_view code) {
    if (code == "00") return "transparent";
    if (code == "01") return "linear fixed";
    return "cyclic";
}

std::string StatusText(unsigned char status) {
    std::string text = (status & 0x01) ? "not invalidated, " : "invalidated, ";
    text += (status & 0x04) ? "readable and updatable when invalidated"
                            : "not readable or updatable when invalidated";
    return text;
}

std::string AccessConditions(std::string_view r) {
    const auto name = [r](std::size_t pos) {
        return CFileDescription::AccessConditionName(Mid(r, pos, 1));
    };
    return "Access Conditions: <READ;SEEK: " + name(16) + ">" + " <UPDATE: " + name(17) + ">" +
           " <INCREASE: " + name(18) + ">" + std::string(kLineEnd) +
           "                   <REHABILITATE: " + name(20) + ">" + " <INVALIDATE: " + name(21) +
           ">";
}

std::string RecordRange(std::string_view size, std::string_view recordLength) {
    const std::uint8_t count = HexQuotient(size, recordLength);
    return "( 01-" + BytesToHex(&count, 1) + " )";
}

void DecodeElementary(std::string_view r, CFileDescription& d) {
    const std::string structure = Structure(Mid(r, 26, 2));
    d.m_bElementary = true;
    d.m_bCyclic = structure == "cyclic";
    d.m_strProperties += "Structure: " + structure + std::string(kLineEnd);
    if (structure == "transparent") {
        d.m_bRecordFile = false;
        d.m_eMode = FileMode::Transparent;
    } else {
        d.m_strRecordLength = Mid(r, 28, 2);
        d.m_strProperties +=
            "Record Length: " + d.m_strRecordLength + " Bytes" + std::string(kLineEnd);
        d.m_strRecordRange = RecordRange(Mid(r, 4, 4), d.m_strRecordLength);
        d.m_bRecordFile = true;
        d.m_eMode = FileMode::Record;
    }
    d.m_strProperties +=
        "Status: " + StatusText(HexPairToByte(Mid(r, 22, 2))) + std::string(kLineEnd);
    d.m_strProperties += AccessConditions(r);
}

}  // namespace

std::optional<CFileDescription> CFileDescription::FromGetResponse(long result,
                                                                  std::string_view response) {
    if (result != 0 || SplitResponse(response).statusWord != "9000") return std::nullopt;
    return Decode(response);
}

CFileDescription CFileDescription::Decode(std::string_view r) {
    CFileDescription d;
    const std::string type = FileType(Mid(r, 12, 2));
    const bool bElementary = type == "EF";
    d.m_strProperties = "ID:   " + Mid(r, 8, 4) + std::string(kLineEnd);
    d.m_strProperties += "Type: " + type + std::string(kLineEnd);
    d.m_strProperties += bElementary ? "Size: " : "Available Memory: ";
    d.m_strProperties += Mid(r, 4, 4) + " Bytes" + std::string(kLineEnd);
    if (bElementary) {
        DecodeElementary(r, d);
    } else {
        d.m_strProperties += "Include: " + Mid(r, 28, 2) + " DFs, " + Mid(r, 30, 2) + " EFs";
        d.m_eMode = FileMode::None;
    }
    return d;
}

std::string CFileDescription::AccessConditionName(std::string_view digit) {
    static const std::array<const char*, 16> kNames = {
        "ALW",  "CHV1", "CHV2", "RFU",  "ADM0", "ADM1", "ADM2",  "ADM3",
        "ADM4", "ADM5", "ADM6", "ADM7", "ADM8", "ADM9", "ADM10", "NEV"};
    if (digit.size() != 1) return std::string();
    const char c = digit[0];
    if (c >= '0' && c <= '9') return kNames[static_cast<std::size_t>(c - '0')];
    if (c >= 'A' && c <= 'F') return kNames[static_cast<std::size_t>(c - 'A' + 10)];
    return std::string();
}
