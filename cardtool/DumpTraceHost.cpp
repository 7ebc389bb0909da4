// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpTraceHost.h"

namespace {

bool IsCodeCommand(const std::string& command) {
    if (command.size() < 4) return false;
    const std::string ins = command.substr(2, 2);
    return ins == "20" || ins == "24" || ins == "26" || ins == "28" || ins == "2C";
}

}  // namespace

std::string CDumpTraceHost::Masked(const std::string& command) {
    constexpr std::size_t kHeader = 10;
    if (!IsCodeCommand(command) || command.size() <= kHeader) return command;
    return command.substr(0, kHeader) + std::string(command.size() - kHeader, '*');
}

void CDumpTraceHost::AppendRecord(const std::string& command, const std::string& response) {
    CRunnerHost::AppendRecord(Masked(command), response);
}
