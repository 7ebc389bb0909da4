// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

#include <vector>

// One subcommand of corvanta-card: its name, the arguments it takes and one line of help,
// and the function that runs it with the arguments after its name.
struct CCardCommand {
    using Run = int (*)(const QStringList& arguments, CCardToolIo& io);
    const char* m_pszName;
    const char* m_pszArguments;  // "FILE-ID HEX"
    const char* m_pszSummary;
    Run m_pRun;
};

// Every subcommand, in the order --help lists them.
const std::vector<CCardCommand>& CardCommands();
// The subcommand of that name, nullptr when there is none.
const CCardCommand* FindCardCommand(const QString& name);
