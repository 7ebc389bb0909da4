// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunnerHost.h"

#include "ScriptFile.h"
#include "TraceRecord.h"

void CRunnerHost::AppendRecord(const std::string& command, const std::string& response) {
    if (!m_bKeepTrace) return;
    CTraceRecord::ForEachLine(
        command, response, [this](std::string_view prefix, std::string_view body, std::uint32_t) {
            m_strTrace.append(prefix);
            m_strTrace.append(body);
            m_strTrace.append(CScriptFile::kLineEnd);
        });
}
