// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

#include <functional>
#include <map>
#include <string>
#include <vector>

class CCardReader;
class CCardWalker;

// corvanta-card dump: reads the whole card in a reader into a dump file. Codes come from a
// file of the user's (--codes) or the terminal, never from the command line. Nothing is
// written when the walk does not end: a pulled card or Ctrl+C leaves any file already there.
class CDumpCommand {
public:
    static constexpr int kSuccess = CCardToolIo::kSuccess;
    static constexpr int kError = CCardToolIo::kBadInput;

    explicit CDumpCommand(CCardToolIo& io) : m_io(io) {}

    // The arguments after "dump".
    int Run(const QStringList& arguments);
    // Called after each APDU of the walk (a test pulls the card there).
    void SetStepObserver(std::function<void(const CCardWalker&)> observer) {
        m_stepObserver = std::move(observer);
    }

private:
    struct COptions {
        std::string m_strReader;
        std::string m_strCodes;
        std::vector<std::string> m_scans;
        QString m_strTrace;
        QString m_strOutput;
    };

    bool Parse(const QStringList& arguments, COptions& options);
    int Fail(const std::string& strMessage);
    int Connect(CCardReader& reader, const std::string& strReader);
    int Walk(CCardReader& reader, CCardWalker& walker);
    void ShowProgress(const CCardWalker& walker) const;
    std::string AskCode(const std::string& strCode, int nAttemptsLeft);

    CCardToolIo& m_io;
    std::map<std::string, std::string> m_codes;
    bool m_bAskCodes = false;
    bool m_bProgress = false;
    std::function<void(const CCardWalker&)> m_stepObserver;
};

// The entry of the command table.
int RunDumpCommand(const QStringList& arguments, CCardToolIo& io);
