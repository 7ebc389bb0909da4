// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpedFile.h"

std::string CDumpedFile::Id() const {
    return m_strPath.size() >= 4 ? m_strPath.substr(m_strPath.size() - 4) : m_strPath;
}

std::string CDumpedFile::ParentPath() const {
    const std::size_t slash = m_strPath.rfind('\\');
    return slash == std::string::npos ? std::string() : m_strPath.substr(0, slash);
}
