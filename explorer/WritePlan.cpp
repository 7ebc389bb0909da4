// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritePlan.h"

#include "HexText.h"

namespace {

std::string Hex(std::size_t value, int digits) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value & 0xFF)};
    return digits == 2 ? BytesToHex(bytes + 1, 1) : BytesToHex(bytes, 2);
}

std::string HexOf(const CBytes& bytes, std::size_t first, std::size_t count) {
    return BytesToHex(bytes.data() + first, static_cast<unsigned>(count));
}

std::vector<std::string> SelectsOf(const std::string& strPath) {
    std::vector<std::string> selects;
    for (std::size_t i = 0; i + 4 <= strPath.size(); i += 5) {
        selects.push_back("A0A4000002" + strPath.substr(i, 4));
    }
    return selects;
}

}  // namespace

CWritePlan CWritePlan::Make(const CDumpedFile& file, std::size_t record, const CBytes& newBytes,
                            std::string& strError) {
    CWritePlan plan;
    const std::optional<CFileHeader> header = file.Header();
    if (!header || header->IsDirectory()) {
        strError = "Only an elementary file with a known header can be written";
        return plan;
    }
    if (header->IsRecordFile()) {
        if (newBytes.size() != header->m_nRecordLength || newBytes.empty()) {
            strError = "A record of this file has " + std::to_string(header->m_nRecordLength) + " bytes";
            return plan;
        }
        if (record < 1 || record > header->RecordCount()) {
            strError = "No record " + std::to_string(record) + " in this file";
            return plan;
        }
        const bool bCyclic = header->m_eStructure == CFileHeader::Structure::Cyclic;
        const std::string length = Hex(newBytes.size(), 2);
        const std::string data = HexOf(newBytes, 0, newBytes.size());
        plan.m_select = SelectsOf(file.m_strPath);
        plan.m_write = {bCyclic ? "A0DC0003" + length + data : "A0DC" + Hex(record, 2) + "04" + length + data};
        plan.m_readBack = {"A0B2" + std::string(bCyclic ? "01" : Hex(record, 2)) + "04" + length};
        plan.m_expected = newBytes;
        return plan;
    }
    if (newBytes.size() > header->m_nSize) {
        strError = "The file holds " + std::to_string(header->m_nSize) + " bytes";
        return plan;
    }
    // Only the span from the first to the last changed byte is sent.
    const CBytes& old = file.m_contents;
    std::size_t first = 0;
    while (first < newBytes.size() && first < old.size() && newBytes[first] == old[first]) ++first;
    std::size_t end = newBytes.size();
    while (end > first && end <= old.size() && newBytes[end - 1] == old[end - 1]) --end;
    if (first >= end) {
        strError = "Nothing changed";
        return plan;
    }
    plan.m_select = SelectsOf(file.m_strPath);
    for (std::size_t offset = first; offset < end; offset += kLargestWrite) {
        const std::size_t count = std::min(kLargestWrite, end - offset);
        plan.m_write.push_back("A0D6" + Hex(offset, 4) + Hex(count, 2) + HexOf(newBytes, offset, count));
        plan.m_readBack.push_back("A0B0" + Hex(offset, 4) + Hex(count, 2));
    }
    plan.m_expected.assign(newBytes.begin() + static_cast<std::ptrdiff_t>(first),
                           newBytes.begin() + static_cast<std::ptrdiff_t>(end));
    return plan;
}

std::vector<std::string> CWritePlan::All() const {
    std::vector<std::string> all = m_select;
    all.insert(all.end(), m_write.begin(), m_write.end());
    all.insert(all.end(), m_readBack.begin(), m_readBack.end());
    return all;
}

std::vector<std::size_t> CWritePlan::Differences(const std::vector<CBytes>& readBack) const {
    CBytes got;
    for (const CBytes& part : readBack) got.insert(got.end(), part.begin(), part.end());
    std::vector<std::size_t> differences;
    for (std::size_t i = 0; i < m_expected.size(); ++i) {
        if (i >= got.size() || got[i] != m_expected[i]) differences.push_back(i);
    }
    return differences;
}
