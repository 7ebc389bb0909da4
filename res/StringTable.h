// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

// The string table: id -> text. A command's string holds its status-line prompt, then
// after the first line break its tooltip.
class CStringTable {
public:
    // The string of that id, empty when there is none.
    static std::string_view Find(int id);
    // The part before the first line break.
    static QString Prompt(int id);
    // The part after the first line break, empty when there is none.
    static QString Tooltip(int id);
};
