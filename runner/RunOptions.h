// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <string>

// The command line of corvanta-run.
class CRunOptions {
public:
    enum class EAction { Run, ListReaders, Help, Version, Error };

    // arguments[0] is the program.
    static CRunOptions Parse(const QStringList& arguments);

    EAction m_eAction = EAction::Error;
    QString m_strError;  // for Error: what is wrong, one line
    QString m_strHelp;   // for Help
    QString m_strScript;
    std::string m_strReader;  // empty: the first reader that holds a card
    QString m_strExport;
    QString m_strTrace;
    QString m_strCheck;
    bool m_bQuiet = false;
    bool m_bExplain = false;  // each row line ends with its status word's meaning
};
