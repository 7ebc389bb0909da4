// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerTree.h"

#include "FileCatalogue.h"
#include "FileDecoders.h"

#include <algorithm>

namespace {

constexpr std::size_t kLongestSummary = 40;

std::string ParentOf(const std::string& strPath) {
    const std::size_t slash = strPath.rfind('\\');
    return slash == std::string::npos ? std::string() : strPath.substr(0, slash);
}

std::string NameOf(const std::string& strPath) {
    if (const CCatalogueEntry* pEntry = FindFileByPath(strPath)) {
        return std::string(pEntry->m_strShortName);
    }
    const std::string id = strPath.size() >= 4 ? strPath.substr(strPath.size() - 4) : strPath;
    const bool bDirectory = id.rfind("7F", 0) == 0 || id.rfind("5F", 0) == 0 || id == "3F00";
    return (bDirectory ? "DF " : "EF ") + id;
}

std::string_view AsText(const CBytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool IsUsedRecord(const CDumpedFile& file, const CBytes& record) {
    if (record.empty()) return false;
    if (std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0xFF; })) {
        return false;
    }
    // An SMS record's status byte says "free" with bit 1 clear, whatever follows it.
    return !(file.m_strName == "EF SMS" && (record[0] & 0x01) == 0);
}

// The value a file is known by: the field named as the file (EF IMSI's "IMSI") or a name
// it holds (EF SPN's), else the first field that has a value.
std::string HeadlineValue(const CDumpedFile& file) {
    const CDecodedContents contents = DecodeFile(file.m_strPath, AsText(file.m_contents));
    const std::string own = file.m_strName.size() > 3 ? file.m_strName.substr(3) : std::string();
    for (const std::string& name : {own, std::string("Service provider name"), std::string("Name")}) {
        for (const CDecodedField& field : contents.Fields()) {
            if (field.m_strName == name && !field.m_strValue.empty()) return field.m_strValue;
        }
    }
    for (const CDecodedField& field : contents.Fields()) {
        if (!field.m_strValue.empty()) return field.m_strValue;
    }
    return {};
}

std::string Shortened(std::string text) {
    if (text.size() <= kLongestSummary) return text;
    std::size_t cut = kLongestSummary;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // UTF-8
    return text.substr(0, cut) + "…";
}

}  // namespace

CExplorerTree CExplorerTree::Build(const CCardDump& dump, bool bCatalogue) {
    CExplorerTree tree;
    if (bCatalogue) {
        for (const CCatalogueEntry& entry : FileCatalogue()) {
            const std::string path = PathOf(entry);
            const CDumpedFile* pFile = dump.Find(path);
            tree.Add(path, pFile, pFile ? static_cast<int>(pFile - dump.m_files.data()) : -1);
        }
    }
    for (std::size_t i = 0; i < dump.m_files.size(); ++i) {
        const CDumpedFile& file = dump.m_files[i];
        if (tree.Find(file.m_strPath) < 0) tree.Add(file.m_strPath, &file, static_cast<int>(i));
    }
    return tree;
}

int CExplorerTree::Find(const std::string& strPath) const {
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes[i].m_strPath == strPath) return static_cast<int>(i);
    }
    return -1;
}

std::string CExplorerTree::Label(const std::string& strPath, const CDumpedFile* pFile) {
    const std::string name = pFile && !pFile->m_strName.empty() ? pFile->m_strName : NameOf(strPath);
    const std::string summary = pFile ? Summary(*pFile) : std::string();
    return summary.empty() ? name : name + " " + summary;
}

std::string CExplorerTree::Summary(const CDumpedFile& file) {
    if (file.m_header.empty()) {
        if (file.m_strSelectStatus == "9404") return "(not on the card)";
        return file.m_strSelectStatus.empty() ? std::string() : "(" + file.m_strSelectStatus + ")";
    }
    const std::optional<CFileHeader> header = file.Header();
    if (!header || header->IsDirectory()) return {};
    if (!file.IsRead()) {
        return file.m_strReadStatus.empty() ? std::string() : "(read refused, " + file.m_strReadStatus + ")";
    }
    if (header->IsRecordFile()) {
        const auto used = std::count_if(file.m_records.begin(), file.m_records.end(),
                                        [&file](const CBytes& r) { return IsUsedRecord(file, r); });
        return std::to_string(used) + " of " + std::to_string(file.m_records.size()) + " used";
    }
    return Shortened(HeadlineValue(file));
}

int CExplorerTree::Add(const std::string& strPath, const CDumpedFile* pFile, int nFile) {
    CExplorerNode node;
    node.m_strPath = strPath;
    node.m_strLabel = Label(strPath, pFile);
    node.m_nFile = nFile;
    node.m_nParent = Find(ParentOf(strPath));
    const int index = static_cast<int>(m_nodes.size());
    if (node.m_nParent >= 0) m_nodes[node.m_nParent].m_children.push_back(index);
    m_nodes.push_back(std::move(node));
    return index;
}
