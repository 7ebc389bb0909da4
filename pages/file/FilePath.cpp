// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePath.h"

#include <algorithm>

std::string CFilePath::Trim(std::string_view path) {
    const std::size_t first = path.find_first_not_of('\\');
    if (first == std::string_view::npos) return std::string();
    const std::size_t last = path.find_last_not_of('\\');
    return std::string(path.substr(first, last - first + 1));
}

bool CFilePath::IsValid(std::string_view path) {
    for (std::size_t i = 4; i < path.size(); i += 5) {
        if (path[i] != '\\') return false;
    }
    const auto separators = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
    return path.size() - separators == 4 * separators + 4;
}

std::vector<std::string> CFilePath::Identifiers(std::string_view path) {
    std::string digits;
    std::remove_copy(path.begin(), path.end(), std::back_inserter(digits), '\\');
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < digits.size(); i += 4) ids.push_back(digits.substr(i, 4));
    return ids;
}
