// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpTraceHost.h"

#include "CodeCommand.h"

void CDumpTraceHost::AppendRecord(const std::string& command, const std::string& response) {
    CRunnerHost::AppendRecord(CCodeCommand::Masked(command), response);
}
