// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <string>
#include <vector>

// The .scp script that writes a dump's contents back to a card: for each file whose UPDATE
// condition is not NEV, SELECTs from the MF down to it (each answered 9Fxx), then UPDATE
// BINARY in pieces of up to 255 bytes or UPDATE RECORD for each record (linear fixed files
// in absolute mode; cyclic files in PREVIOUS mode, oldest record first, so the newest comes
// out as record 1 again). Rows are grouped by the code their files need: none, CHV1, CHV2,
// then the ADM levels. No code is ever written into the script: the user puts the VERIFY
// rows in front of it.
class CRestoreScript {
public:
    struct CGroup {
        std::string m_strCode;        // "ALW", "CHV1", "CHV2", "ADM4", ...
        std::size_t m_nFirstRow = 0;  // 1-based, as the Script page numbers rows
        std::size_t m_nRowCount = 0;
        std::size_t m_nFileCount = 0;
    };

    explicit CRestoreScript(const CCardDump& dump);

    const std::vector<std::string>& Rows() const { return m_rows; }
    const std::vector<CGroup>& Groups() const { return m_groups; }
    // Files left out and why (NEV, not read, a cyclic file not read whole), one line each.
    const std::vector<std::string>& Notes() const { return m_notes; }
    // The script file's text: one row per line, each ended by CR LF.
    std::string Text() const;

private:
    void AddFile(const CDumpedFile& file, const CFileHeader& header);

    std::vector<std::string> m_rows;
    std::vector<CGroup> m_groups;
    std::vector<std::string> m_notes;
};
