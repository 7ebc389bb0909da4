// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardTool.h"

#include "CardCommands.h"
#include "CardToolIo.h"

#include <QCoreApplication>

#include <string>

std::string CCardTool::HelpText() {
    std::string text =
        "Usage: corvanta-card COMMAND [ARGUMENTS]\n"
        "       corvanta-card --help | --version\n"
        "\n"
        "What the bytes of a GSM SIM mean, without a card or a window.\n"
        "\n"
        "Commands:\n";
    for (const CCardCommand& command : CardCommands()) {
        const std::string usage = std::string(command.m_pszName) + " " + command.m_pszArguments;
        text += "  " + usage + std::string(usage.size() < 28 ? 28 - usage.size() : 1, ' ') +
                command.m_pszSummary + "\n";
    }
    text +=
        "\n"
        "FILE-ID is a path of ids from the MF (3F00\\7F20\\6F07 or 3F00/7F20/6F07), a file's\n"
        "short name (IMSI) or a bare id that only one file has (6F07). HEX is the file's contents "
        "or one record, digit\n"
        "pairs with or without blanks. --json prints one JSON object for a machine.\n"
        "Output is UTF-8.\n"
        "Exit status: 0 success, 2 bad input (one line on standard error).\n";
    return text;
}

int CCardTool::Run(const QStringList& arguments) {
    CCardToolIo io(m_pOut, m_pErr);
    const QStringList rest = arguments.mid(1);
    if (rest.isEmpty()) return io.Fail("no command given (see --help)");
    const QString first = rest.front();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        io.Print(HelpText());
        return CCardToolIo::kSuccess;
    }
    if (first == QLatin1String("--version")) {
        io.PrintLine(QCoreApplication::applicationName().toStdString() + " " +
                     QCoreApplication::applicationVersion().toStdString());
        return CCardToolIo::kSuccess;
    }
    const CCardCommand* pCommand = FindCardCommand(first);
    if (!pCommand) return io.Fail("unknown command '" + first.toStdString() + "' (see --help)");
    return pCommand->m_pRun(rest.mid(1), io);
}
