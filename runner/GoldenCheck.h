// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptRows.h"

#include <string>
#include <string_view>
#include <vector>

// Compares a run's export lines, in order, with the lines of a golden export file. A '?'
// in a golden line matches any one character.
class CGoldenCheck {
public:
    struct SDifference {
        int nRow = -1;  // script row of the actual line; -1 when the run has no such line
        std::string strCommand;
        std::string strExpected;  // the golden line; empty with bExpected false
        std::string strActual;    // the export line; empty with nRow -1
        bool bExpected = true;
    };

    static bool Matches(std::string_view golden, std::string_view actual);
    static std::vector<SDifference> Compare(const std::vector<std::string>& golden,
                                            const CScriptRows& rows);
};
