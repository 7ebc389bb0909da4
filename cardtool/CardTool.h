// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdio>
#include <string>

// corvanta-card from its arguments to its exit code: --help, --version, or the subcommand
// named by the first argument with the rest.
class CCardTool {
public:
    CCardTool(std::FILE* pOut, std::FILE* pErr) : m_pOut(pOut), m_pErr(pErr) {}

    // arguments[0] is the program.
    int Run(const QStringList& arguments);
    // The --help text: usage, then one line per subcommand.
    static std::string HelpText();

private:
    std::FILE* m_pOut;
    std::FILE* m_pErr;
};
