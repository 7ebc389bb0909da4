// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardReaderHost.h"

#include <string>

// The card reader's host in corvanta-run: keeps the trace lines, when asked to, in the
// Trace page's saved format (each line ended by CR LF).
class CRunnerHost : public CCardReaderHost {
public:
    explicit CRunnerHost(bool bKeepTrace) : m_bKeepTrace(bKeepTrace) {}

    const std::string& Trace() const { return m_strTrace; }

    // CCardReaderHost
    void AppendRecord(const std::string& command, const std::string& response) override;
    // A failed connection is reported by the runner itself, naming the reader.
    void ShowCardError() override {}

private:
    bool m_bKeepTrace;
    std::string m_strTrace;
};
