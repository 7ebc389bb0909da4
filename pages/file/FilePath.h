// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A SIM file path as typed in the File page: four-digit file IDs joined by backslashes,
// from the MF down, such as 3F00\7F20\6F07.
class CFilePath {
public:
    // Without any leading and trailing backslashes.
    static std::string Trim(std::string_view path);
    // One or more groups of exactly four characters joined by single backslashes.
    static bool IsValid(std::string_view path);
    // The four-character IDs of a valid path, in the order they are selected.
    static std::vector<std::string> Identifiers(std::string_view path);
};
