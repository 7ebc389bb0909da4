// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandText.h"

#include "ByteText.h"

std::array<std::string, 6> CCommandText::SplitPresetValue(std::string_view value) {
    std::array<std::string, 6> fields;
    std::size_t open = value.find('<');
    std::size_t close = value.find('>');
    if (open == std::string_view::npos) return fields;
    fields[0] = std::string(value.substr(0, open));
    // Each further field runs from the next '<' to the next '>', each searched from just
    // after the previous one of its kind; once either is missing the rest stay empty.
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (open == std::string_view::npos || close == std::string_view::npos) break;
        if (close > open) fields[i] = std::string(value.substr(open + 1, close - open - 1));
        open = value.find('<', open + 1);
        close = value.find('>', close + 1);
    }
    return fields;
}

std::optional<CCommandText::CPresetItem> CCommandText::ParsePresetValue(std::string_view value) {
    if (value.size() < kMinPresetLength || value == kMissingValue) return std::nullopt;
    const std::array<std::string, 6> f = SplitPresetValue(value);
    return CPresetItem{f[0] + "<" + f[1] + ">", CommandPreset(f[2], f[3], f[4], f[5])};
}

CCommandFields CCommandText::SplitRecentEntry(std::string_view entry) {
    const std::size_t close = entry.find('>');
    const std::size_t k = close == std::string_view::npos ? 3 : close;
    CCommandFields fields;
    fields.m_strClaIns = Mid(entry, 0, k + 1);
    fields.m_strP1 = Mid(entry, k + 1, 2);
    fields.m_strP2 = Mid(entry, k + 3, 2);
    fields.m_strP3 = Mid(entry, k + 5, 2);
    fields.m_strData = Mid(entry, k + 7);
    fields.m_eMode = fields.m_strData.empty() ? CommandMode::Out : CommandMode::In;
    return fields;
}

void CCommandText::PadHeader(CCommandFields& fields) {
    fields.m_strP1 = PadLeft(fields.m_strP1, 2);
    fields.m_strP2 = PadLeft(fields.m_strP2, 2);
    fields.m_strP3 = PadLeft(fields.m_strP3, 2);
}

std::string CCommandText::BuildCommand(const CCommandFields& fields) {
    std::string command = Mid(fields.m_strClaIns, 0, 4);
    command += fields.m_strP1 + fields.m_strP2 + fields.m_strP3;
    if (fields.m_eMode == CommandMode::In) command += fields.m_strData;
    return command;
}

std::string CCommandText::BuildRecentEntry(const CCommandFields& fields) {
    std::string entry = fields.m_strClaIns + fields.m_strP1 + fields.m_strP2 + fields.m_strP3;
    if (fields.m_eMode == CommandMode::In) entry += fields.m_strData;
    return entry;
}
