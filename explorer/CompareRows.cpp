// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareRows.h"

#include "ExplorerTree.h"
#include "FileDecoders.h"

#include "HexText.h"

#include <algorithm>

namespace {

std::string Hex(const CBytes& bytes) {
    return BytesToHex(bytes.data(), static_cast<unsigned>(bytes.size()));
}

std::string_view AsText(const CBytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The decoded fields of a file as (item, value) pairs: the whole contents, or each record
// with "Record n: " before its fields' names; the raw bytes where nothing decodes them.
std::vector<std::pair<std::string, std::string>> Items(const CDumpedFile& file) {
    std::vector<std::pair<std::string, std::string>> items;
    items.emplace_back("Header", Hex(file.m_header));
    if (!file.m_strReadStatus.empty() && !file.IsRead()) items.emplace_back("Read", file.m_strReadStatus);
    auto add = [&items, &file](const std::string& prefix, const CBytes& bytes) {
        const CDecodedContents contents = DecodeFile(file.m_strPath, AsText(bytes));
        if (contents.Fields().empty()) {
            items.emplace_back(prefix + "Bytes", Hex(bytes));
            return;
        }
        for (const CDecodedField& field : contents.Fields()) {
            items.emplace_back(prefix + field.m_strName, field.m_strValue);
        }
    };
    const std::optional<CFileHeader> header = file.Header();
    if (header && header->IsRecordFile()) {
        for (std::size_t i = 0; i < file.m_records.size(); ++i) {
            add("Record " + std::to_string(i + 1) + ": ", file.m_records[i]);
        }
    } else if (!file.m_contents.empty()) {
        add("", file.m_contents);
    }
    return items;
}

void AddFile(const std::string& path, const CDumpedFile* pA, const CDumpedFile* pB,
             std::vector<CCompareRow>& rows) {
    const std::size_t fileRow = rows.size();
    CCompareRow file;
    file.m_strPath = path;
    file.m_strItem = CExplorerTree::Label(path, nullptr);
    file.m_strA = pA ? CExplorerTree::Summary(*pA) : CCompareRows::kAbsent;
    file.m_strB = pB ? CExplorerTree::Summary(*pB) : CCompareRows::kAbsent;
    rows.push_back(file);

    const auto itemsA = pA ? Items(*pA) : decltype(Items(*pA))();
    const auto itemsB = pB ? Items(*pB) : decltype(Items(*pB))();
    bool bDiffers = !pA || !pB;
    for (std::size_t i = 0; i < std::max(itemsA.size(), itemsB.size()); ++i) {
        CCompareRow row;
        row.m_strPath = path;
        row.m_bField = true;
        row.m_strItem = i < itemsA.size() ? itemsA[i].first : itemsB[i].first;
        row.m_strA = i < itemsA.size() ? itemsA[i].second : CCompareRows::kAbsent;
        row.m_strB = i < itemsB.size() ? itemsB[i].second : CCompareRows::kAbsent;
        // Fields line up by position; a name that moved (another coding) differs too.
        row.m_bDiffers = row.m_strA != row.m_strB ||
                         (i < itemsA.size() && i < itemsB.size() && itemsA[i].first != itemsB[i].first);
        bDiffers = bDiffers || row.m_bDiffers;
        rows.push_back(row);
    }
    rows[fileRow].m_bDiffers = bDiffers;
}

}  // namespace

std::vector<CCompareRow> CCompareRows::Build(const CCardDump& a, const CCardDump& b) {
    std::vector<std::string> paths;
    for (const CDumpedFile& file : a.m_files) paths.push_back(file.m_strPath);
    for (const CDumpedFile& file : b.m_files) {
        if (!a.Find(file.m_strPath)) paths.push_back(file.m_strPath);
    }
    std::vector<CCompareRow> rows;
    for (const std::string& path : paths) AddFile(path, a.Find(path), b.Find(path), rows);
    return rows;
}

int CCompareRows::NextDifference(const std::vector<CCompareRow>& rows, int from) {
    const int count = static_cast<int>(rows.size());
    for (int step = 1; step <= count; ++step) {
        const int i = ((from + step) % count + count) % count;
        const bool bLeaf = rows[i].m_bField || i + 1 >= count || !rows[i + 1].m_bField;
        if (rows[i].m_bDiffers && bLeaf) return i;
    }
    return -1;
}
