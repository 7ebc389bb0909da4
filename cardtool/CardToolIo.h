// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

// Where a corvanta-card command writes: its output (UTF-8) and its one-line errors.
class CCardToolIo {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kBadInput = 2;

    CCardToolIo(std::FILE* pOut, std::FILE* pErr) : m_pOut(pOut), m_pErr(pErr) {}

    void Print(const std::string& text) { std::fputs(text.c_str(), m_pOut); }
    void PrintLine(const std::string& text) { Print(text + "\n"); }
    // "corvanta-card: <message>" on standard error; returns kBadInput.
    int Fail(const std::string& message);

private:
    std::FILE* m_pOut;
    std::FILE* m_pErr;
};
