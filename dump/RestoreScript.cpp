// SPDX-License-Identifier: GPL-3.0-or-later
#include "RestoreScript.h"

#include "HexText.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::uint8_t kNever = 0xF;
constexpr std::uint8_t kReserved = 0x3;
constexpr std::size_t kMaxUpdate = 255;  // P3 of one UPDATE BINARY

std::string Byte(std::size_t value) {
    const std::uint8_t byte = static_cast<std::uint8_t>(value);
    return BytesToHex(&byte, 1);
}

std::string Hex(const std::uint8_t* pBytes, std::size_t count) {
    return BytesToHex(pBytes, count);
}

std::string CodeName(std::uint8_t access) {
    static const char* const names[] = {"ALW", "CHV1", "CHV2"};
    if (access < 3) return names[access];
    return "ADM" + std::string(1, "0123456789ABCDEF"[access]);
}

std::string Named(const CDumpedFile& file) {
    return file.m_strName.empty() ? file.m_strPath : file.m_strName + " (" + file.m_strPath + ")";
}

}  // namespace

CRestoreScript::CRestoreScript(const CCardDump& dump) {
    // Files in dump order within each group; groups in the order of their access nibble.
    std::map<std::uint8_t, std::vector<std::pair<const CDumpedFile*, CFileHeader>>> byCode;
    for (const CDumpedFile& file : dump.m_files) {
        const std::optional<CFileHeader> header = file.Header();
        if (!header || header->IsDirectory()) continue;
        const std::uint8_t update = header->UpdateAccess();
        if (update == kNever || update == kReserved) continue;
        if (!file.IsRead()) {
            m_notes.push_back(
                Named(file) + ": not read (" +
                (file.m_strReadStatus.empty() ? std::string("no read") : file.m_strReadStatus) +
                "), left out");
            continue;
        }
        if (header->m_eStructure == CFileHeader::Structure::Cyclic &&
            file.m_records.size() != header->RecordCount()) {
            m_notes.push_back(Named(file) +
                              ": a cyclic file not read whole; writing part of it "
                              "would shift its order, left out");
            continue;
        }
        byCode[update].emplace_back(&file, *header);
    }
    for (const auto& [code, files] : byCode) {
        CGroup group{CodeName(code), m_rows.size() + 1, 0, files.size()};
        for (const auto& [pFile, header] : files) AddFile(*pFile, header);
        group.m_nRowCount = m_rows.size() + 1 - group.m_nFirstRow;
        m_groups.push_back(group);
    }
}

void CRestoreScript::AddFile(const CDumpedFile& file, const CFileHeader& header) {
    for (std::size_t start = 0; start + 4 <= file.m_strPath.size(); start += 5)
        m_rows.push_back("A0A4000002" + file.m_strPath.substr(start, 4));
    if (header.m_eStructure == CFileHeader::Structure::Transparent) {
        const CBytes& data = file.m_contents;
        for (std::size_t offset = 0; offset < data.size(); offset += kMaxUpdate) {
            const std::size_t count = std::min(kMaxUpdate, data.size() - offset);
            m_rows.push_back("A0D6" + Byte(offset >> 8) + Byte(offset) + Byte(count) +
                             Hex(data.data() + offset, count));
        }
        return;
    }
    if (header.m_eStructure == CFileHeader::Structure::Cyclic) {
        // Each PREVIOUS-mode update overwrites the oldest record and makes it record 1.
        for (std::size_t n = file.m_records.size(); n >= 1; --n) {
            const CBytes& record = file.m_records[n - 1];
            m_rows.push_back("A0DC0003" + Byte(record.size()) + Hex(record.data(), record.size()));
        }
        return;
    }
    for (std::size_t n = 1; n <= file.m_records.size(); ++n) {
        const CBytes& record = file.m_records[n - 1];
        m_rows.push_back("A0DC" + Byte(n) + "04" + Byte(record.size()) +
                         Hex(record.data(), record.size()));
    }
}

std::string CRestoreScript::Text() const {
    std::string text;
    for (const std::string& row : m_rows) text += row + "\r\n";
    return text;
}
