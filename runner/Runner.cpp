// SPDX-License-Identifier: GPL-3.0-or-later
#include "Runner.h"

#include "CardReader.h"
#include "GoldenCheck.h"
#include "RunOptions.h"
#include "RunOutput.h"
#include "RunRows.h"
#include "RunnerHost.h"
#include "ScriptEngine.h"
#include "ScriptFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <utility>

#include <PCSC/pcsclite.h>

namespace {

std::string Local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

std::string PcscError(LONG code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    return std::string(hex) + " " + pcsc_stringify_error(code);
}

}  // namespace

int CRunner::Run(const QStringList& arguments) {
    const CRunOptions options = CRunOptions::Parse(arguments);
    switch (options.m_eAction) {
        case CRunOptions::EAction::Help:
            std::fputs(Local(options.m_strHelp).c_str(), m_pOut);
            return kSuccess;
        case CRunOptions::EAction::Version:
            std::fprintf(m_pOut, "%s %s\n", Local(QCoreApplication::applicationName()).c_str(),
                         Local(QCoreApplication::applicationVersion()).c_str());
            return kSuccess;
        case CRunOptions::EAction::Error:
            return Fail(Local(options.m_strError) + " (see --help)");
        case CRunOptions::EAction::ListReaders: {
            CCardReader reader;
            return ListReaders(reader);
        }
        case CRunOptions::EAction::Run:
            break;
    }
    // Both files are read before the card sees anything.
    std::vector<std::string> commands;
    std::vector<std::string> golden;
    QString error;
    if (!CScriptFile::Read(options.m_strScript, commands, &error))
        return FailFile("could not read", options.m_strScript, error);
    if (!options.m_strCheck.isEmpty() && !CScriptFile::Read(options.m_strCheck, golden, &error))
        return FailFile("could not read", options.m_strCheck, error);
    return RunScript(options, std::move(commands), golden);
}

int CRunner::Fail(const std::string& strMessage) {
    std::fprintf(m_pErr, "corvanta-run: %s\n", strMessage.c_str());
    return kError;
}

int CRunner::FailFile(const char* pszWhat, const QString& path, const QString& reason) {
    return Fail(std::string(pszWhat) + " " + Local(path) + ": " + Local(reason));
}

std::vector<std::string> CRunner::ReaderNames(CCardReader& reader) {
    if (reader.GetReaderList() == nullptr) {
        const LONG code = reader.ListReaders();
        if (code == SCARD_E_NO_READERS_AVAILABLE) {
            Fail("no smart-card reader is attached");
            return {};
        }
        if (code != SCARD_S_SUCCESS) {
            Fail("cannot reach the PC/SC service (is pcscd running?)");
            return {};
        }
    }
    return CCardReader::SplitReaderList(reader.GetReaderList(), SIZE_MAX);
}

int CRunner::ListReaders(CCardReader& reader) {
    const std::vector<std::string> names = ReaderNames(reader);
    if (names.empty()) return kError;
    for (const std::string& name : names) std::fprintf(m_pOut, "%s\n", name.c_str());
    return kSuccess;
}

int CRunner::Connect(CCardReader& reader, const std::string& strReader) {
    const std::vector<std::string> names = ReaderNames(reader);
    if (names.empty()) return kError;
    if (strReader.empty()) {
        for (const std::string& name : names) {
            reader.SetReaderName(name);
            if (reader.Connect() == SCARD_S_SUCCESS) return kSuccess;
        }
        return Fail("no reader holds a card");
    }
    if (std::find(names.begin(), names.end(), strReader) == names.end())
        return Fail("no reader named \"" + strReader + "\" (see --list-readers)");
    reader.SetReaderName(strReader);
    const LONG code = reader.Connect();
    if (code != SCARD_S_SUCCESS)
        return Fail("cannot connect to the card in reader \"" + strReader +
                    "\": " + PcscError(code));
    return kSuccess;
}

int CRunner::RunScript(const CRunOptions& options, std::vector<std::string> commands,
                       const std::vector<std::string>& golden) {
    CRunnerHost host(!options.m_strTrace.isEmpty());
    CCardReader reader;
    reader.SetMainWindow(&host);
    if (const int result = Connect(reader, options.m_strReader); result != kSuccess) return result;

    CRunOutput output(m_pOut, m_pErr, options.m_bQuiet, static_cast<int>(commands.size()));
    output.SetExplain(options.m_bExplain);
    CRunRows rows(std::move(commands), output);
    CScriptEngine engine(rows, [&reader](const std::string& strCommand, std::string& strResponse) {
        return static_cast<long>(reader.Exchange(strCommand, strResponse));
    });
    engine.Play();
    output.Finish();
    reader.Disconnect();

    QString error;
    if (!options.m_strExport.isEmpty() &&
        !CScriptFile::WriteExport(options.m_strExport, rows, &error))
        return FailFile("could not write", options.m_strExport, error);
    if (!options.m_strTrace.isEmpty() &&
        !CScriptFile::SaveBytes(options.m_strTrace, host.Trace(), &error))
        return FailFile("could not write", options.m_strTrace, error);
    if (rows.FailedExchanges() > 0) return FailExchanges(rows, reader.GetReaderName());
    return options.m_strCheck.isEmpty() ? kSuccess : Check(options.m_strCheck, golden, rows);
}

int CRunner::FailExchanges(const CRunRows& rows, const std::string& strReader) {
    const std::string strFailed = rows.FailedExchanges() == 1
                                      ? "1 exchange failed with reader \"" + strReader + "\": "
                                      : std::to_string(rows.FailedExchanges()) +
                                            " exchanges failed with reader \"" + strReader +
                                            "\", the first with ";
    return Fail(strFailed +
                (rows.FirstFailure() == 0 ? "no answer" : PcscError(rows.FirstFailure())));
}

int CRunner::Check(const QString& goldenPath, const std::vector<std::string>& golden,
                   const CRunRows& rows) {
    const std::vector<CGoldenCheck::SDifference> differences = CGoldenCheck::Compare(golden, rows);
    if (differences.empty()) return kSuccess;
    std::fprintf(m_pErr, "corvanta-run: %zu rows differ from %s\n", differences.size(),
                 Local(goldenPath).c_str());
    const std::size_t shown = std::min(differences.size(), kShownDifferences);
    for (std::size_t i = 0; i < shown; ++i) {
        const CGoldenCheck::SDifference& difference = differences[i];
        const std::string row = difference.nRow < 0 ? "-" : std::to_string(difference.nRow + 1);
        const std::string command = difference.nRow < 0 ? "(no row)" : difference.strCommand;
        const std::string expected = difference.bExpected ? difference.strExpected : "(no line)";
        const std::string actual = difference.nRow < 0 ? "(no line)" : difference.strActual;
        std::fprintf(m_pErr, "  row %s %s: expected %s, actual %s\n", row.c_str(), command.c_str(),
                     expected.c_str(), actual.c_str());
    }
    if (differences.size() > shown)
        std::fprintf(m_pErr, "  ... and %zu more\n", differences.size() - shown);
    return kMismatch;
}
