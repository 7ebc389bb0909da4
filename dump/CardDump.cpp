// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardDump.h"

std::size_t CCardDump::LeastApdus() const {
    std::size_t count = m_verified.size();
    for (const CDumpedFile& file : m_files) {
        count += 2;
        const std::optional<CFileHeader> header = file.Header();
        if (!header || header->IsDirectory()) continue;
        count += header->IsRecordFile() ? header->RecordCount() : (header->m_nSize + 255) / 256;
    }
    return count;
}

const CDumpedFile* CCardDump::Find(const std::string& path) const {
    for (const CDumpedFile& file : m_files)
        if (file.m_strPath == path) return &file;
    return nullptr;
}

CDumpedFile* CCardDump::Find(const std::string& path) {
    return const_cast<CDumpedFile*>(static_cast<const CCardDump&>(*this).Find(path));
}
