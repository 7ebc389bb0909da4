// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptRowVector.h"

#include <string>
#include <vector>

class CRunOutput;

// The rows of a script run by corvanta-run: each executed row goes to the output, and a
// failed exchange is remembered, since a run goes on after one.
class CRunRows : public CScriptRowVector {
public:
    CRunRows(std::vector<std::string> commands, CRunOutput& output);

    int FailedExchanges() const { return m_nFailed; }
    // The PC/SC code of the first failed exchange; 0 when the card did not answer.
    long FirstFailure() const { return m_nFirstFailure; }

    // CScriptRows
    void OnRowRun(int row, long code) override;

private:
    CRunOutput& m_output;
    int m_nFailed = 0;
    long m_nFirstFailure = 0;
};
