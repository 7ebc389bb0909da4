// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunnerHost.h"

// The trace of a dump in the Trace page's saved format, with the data of every code command
// (VERIFY, CHANGE, DISABLE, ENABLE, UNBLOCK CHV) written as asterisks: a trace file is kept
// and passed around, and a code must never be in it.
class CDumpTraceHost : public CRunnerHost {
public:
    using CRunnerHost::CRunnerHost;

    void AppendRecord(const std::string& command, const std::string& response) override;
};
