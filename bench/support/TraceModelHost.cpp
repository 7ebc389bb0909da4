// SPDX-License-Identifier: GPL-3.0-or-later
#include "TraceModelHost.h"

#include "TraceRecord.h"

void CTraceModelHost::AppendRecord(const std::string& command, const std::string& response) {
    CTraceRecord::AppendTo(m_model, command, response);
}
