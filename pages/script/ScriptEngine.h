// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExchangeFunction.h"
#include "ScriptRows.h"

#include <functional>
#include <string>
#include <string_view>

// Runs script rows against the card: Play from the current row to the end or to the next
// breakpoint, Step one row, Reset to the first row. Each valid command goes through the
// exchange once; its answer is split into StatusWord and DataOut. Nothing stops a run: not
// an error status word, not a failed transmission. The caller connects first.
class CScriptEngine {
public:
    // Why a command is not sent, or kSent. The first character that is not an upper-case
    // hex digit decides; a command of such digits alone is judged by its length.
    enum class ECommandCheck {
        kSent,
        kEmpty,
        kOddLength,
        kLowerCase,
        kSpace,
        kCarriageReturn,
        kNotHexDigit
    };

    CScriptEngine(CScriptRows& rows, ExchangeFunction exchange);

    // Sent only when not empty, of even length, and made of "0123456789ABCDEF" alone.
    static ECommandCheck CheckCommand(std::string_view command);
    static bool IsValidCommand(std::string_view command) {
        return CheckCommand(command) == ECommandCheck::kSent;
    }

    // From the current row (row 0 when there is none); a breakpoint on that start row does
    // not stop the run. Results from the start row to the end are emptied first.
    void Play();
    // Runs the current row, ignoring breakpoints, and makes the next row current (none
    // after the last). An invalid command keeps its row's old results.
    void Step();
    // Makes row 0 current.
    void Reset();

private:
    void RunRow(int row);

    CScriptRows& m_rows;
    ExchangeFunction m_exchange;
    // Reused across rows, so a run allocates nothing per row beyond the exchange itself.
    std::string m_strCommand;
    std::string m_strResponse;
};
