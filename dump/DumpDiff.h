// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <string>
#include <vector>

// The differences between two dumps, one line each, by file, record and decoded field:
//   EF SPN: Name "Fictel Mobile" → "AB"
//   EF ADN record 2: bytes 1 to 3: 426F62 → 526F62
//   DF GSM: CHV1 attempts left 3 → 2
// Headers (size, structure, access, status, counts, code states), status words and the ATR
// count as well; when and by what the dumps were taken does not.
class CDumpDiff {
public:
    CDumpDiff(const CCardDump& a, const CCardDump& b);

    bool IsSame() const { return m_lines.empty(); }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    void CompareFiles(const CDumpedFile& a, const CDumpedFile& b);
    void CompareHeaders(const std::string& strName, const CDumpedFile& a, const CDumpedFile& b);
    void CompareData(const std::string& strName, const std::string& strPath, const CBytes& a,
                     const CBytes& b);
    void Add(const std::string& strName, const std::string& strWhat, const std::string& strA,
             const std::string& strB);

    std::vector<std::string> m_lines;
};
