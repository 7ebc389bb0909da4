// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <string>
#include <vector>

// One line of the side-by-side comparison of two dumps: a file, or a field of it (its
// header, a decoded field of its contents or of one record).
struct CCompareRow {
    std::string m_strPath;
    std::string m_strItem;  // "EF SPN", or "Record 2: Alpha identifier", "Header"
    std::string m_strA;     // "(absent)" where that side has no such file or field
    std::string m_strB;
    bool m_bField = false;  // a field under the file row above it
    bool m_bDiffers = false;
};

class CCompareRows {
public:
    // Every file of either dump, a's order first; under each, its header and fields.
    static std::vector<CCompareRow> Build(const CCardDump& a, const CCardDump& b);
    // The first differing field row (or file row without fields) after row from, wrapping
    // round; -1 when nothing differs.
    static int NextDifference(const std::vector<CCompareRow>& rows, int from);

    static constexpr const char* kAbsent = "(absent)";
};
