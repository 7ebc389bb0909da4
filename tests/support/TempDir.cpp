// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

CTempDir::CTempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
    m_strPath = buffer.data();
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_strPath, ignored);
}
