#include "CardDump.h"

const CDumpedFile* CCardDump::Find(const std::string& path) const {
    for (const CDumpedFile& file : m_files)
        if (file.m_strPath == path) return &file;
    return nullptr;
}

CDumpedFile* CCardDump::Find(const std::string& path) {
    return const_cast<CDumpedFile*>(static_cast<const CCardDump&>(*this).Find(path));
}
