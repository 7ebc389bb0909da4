// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpCommand.h"

#include "CardReader.h"
#include "CardWalker.h"
#include "CodePrompt.h"
#include "CodesFile.h"
#include "DumpCatalogue.h"
#include "DumpJson.h"
#include "DumpTraceHost.h"
#include "ScriptFile.h"

#include <QCoreApplication>
#include <QDateTime>

#include <PCSC/pcsclite.h>
#include <PCSC/winscard.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

namespace {

volatile std::sig_atomic_t g_bInterrupted = 0;

void OnInterrupt(int) { g_bInterrupted = 1; }

// Ctrl+C asks the walk to end after the APDU in flight, instead of killing the program
// with the card in the middle of a file; the old handler comes back afterwards.
class CInterruptCatcher {
public:
    CInterruptCatcher() {
        g_bInterrupted = 0;
        struct sigaction action {};
        action.sa_handler = &OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~CInterruptCatcher() { sigaction(SIGINT, &m_previous, nullptr); }
    CInterruptCatcher(const CInterruptCatcher&) = delete;
    CInterruptCatcher& operator=(const CInterruptCatcher&) = delete;

private:
    struct sigaction m_previous {};
};

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

std::string PcscError(LONG code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return std::string(hex) + " " + pcsc_stringify_error(code);
}

// The ATR as PC/SC keeps it for the reader, without a second connection to the card.
CBytes ReaderAtr(const std::string& readerName) {
    SCARDCONTEXT context = 0;
    CBytes atr;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS)
        return atr;
    SCARD_READERSTATE state{};
    state.szReader = readerName.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    if (SCardGetStatusChange(context, 0, &state, 1) == SCARD_S_SUCCESS)
        atr.assign(state.rgbAtr, state.rgbAtr + std::min<DWORD>(state.cbAtr, MAX_ATR_SIZE));
    SCardReleaseContext(context);
    return atr;
}

}  // namespace

int CDumpCommand::Fail(const std::string& message) { return m_io.Fail(message); }

int RunDumpCommand(const QStringList& arguments, CCardToolIo& io) {
    return CDumpCommand(io).Run(arguments);
}

bool CDumpCommand::Parse(const QStringList& arguments, COptions& options) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool bHasValue = i + 1 < arguments.size();
        const auto value = [&]() { return arguments[++i]; };
        if (argument == "--reader" && bHasValue) {
            options.m_strReader = Local(value());
        } else if (argument == "--codes" && bHasValue) {
            options.m_strCodes = Local(value());
        } else if (argument == "--scan" && bHasValue) {
            options.m_scans.push_back(Local(value()));
        } else if (argument == "--trace" && bHasValue) {
            options.m_strTrace = value();
        } else if ((argument == "-o" || argument == "--output") && bHasValue) {
            options.m_strOutput = value();
        } else {
            Fail("dump: " +
                 (argument.startsWith('-') && !bHasValue ? Local(argument) + " needs a value"
                                                          : "unknown argument " + Local(argument)) +
                 " (see --help)");
            return false;
        }
    }
    if (options.m_strOutput.isEmpty()) {
        Fail("dump: -o DUMP is missing (see --help)");
        return false;
    }
    return true;
}

int CDumpCommand::Connect(CCardReader& reader, const std::string& name) {
    const std::vector<std::string> names = CCardReader::SplitReaderList(reader.GetReaderList(), 64);
    if (names.empty()) return Fail("no smart card reader found (is pcscd running?)");
    if (name.empty()) {
        for (const std::string& candidate : names) {
            reader.SetReaderName(candidate);
            if (reader.Connect() == SCARD_S_SUCCESS) return kSuccess;
        }
        return Fail("no reader holds a card");
    }
    if (std::find(names.begin(), names.end(), name) == names.end())
        return Fail("no reader named \"" + name + "\"");
    reader.SetReaderName(name);
    const LONG code = reader.Connect();
    if (code != SCARD_S_SUCCESS)
        return Fail("cannot connect to the card in reader \"" + name + "\": " + PcscError(code));
    return kSuccess;
}

std::string CDumpCommand::AskCode(const std::string& code, int attemptsLeft) {
    const auto given = m_codes.find(code);
    if (given != m_codes.end()) {
        std::string secret = given->second;
        std::fill(given->second.begin(), given->second.end(), '\0');
        m_codes.erase(given);
        return secret;
    }
    if (!m_bAskCodes) return std::string();
    const std::string left =
        attemptsLeft >= 0 ? std::to_string(attemptsLeft) + " attempts left, " : std::string();
    return CCodePrompt::Ask(code + " (" + left + "Enter to skip): ");
}

// On a terminal only: a line rewritten in place would litter a log or a pipe.
void CDumpCommand::ShowProgress(const CCardWalker& walker) const {
    if (!m_bProgress) return;
    std::fprintf(stderr, "\r\033[KReading %s: %d of %d files", walker.CurrentPath().c_str(),
                 walker.FilesDone(), walker.FilesKnown());
    std::fflush(stderr);
}

int CDumpCommand::Walk(CCardReader& reader, CCardWalker& walker) {
    const CInterruptCatcher catcher;
    while (walker.Step()) {
        if (g_bInterrupted) walker.Cancel();
        ShowProgress(walker);
        if (m_stepObserver) m_stepObserver(walker);
    }
    if (m_bProgress) std::fputs("\r\033[K", stderr);
    reader.Disconnect();
    if (walker.HasFailed()) return Fail(walker.Failure());
    if (walker.IsCancelled()) return Fail("cancelled while reading " + walker.CurrentPath());
    return kSuccess;
}

int CDumpCommand::Run(const QStringList& arguments) {
    COptions options;
    if (!Parse(arguments, options)) return kError;
    std::vector<CCardWalker::CIdRange> ranges;
    for (const std::string& text : options.m_scans) {
        CCardWalker::CIdRange range;
        if (!CCardWalker::ParseRange(text, range))
            return Fail("dump: --scan needs an id range such as 6F00-6FFF, not \"" + text + "\"");
        ranges.push_back(range);
    }
    std::string error;
    if (!options.m_strCodes.empty() && !CCodesFile::Load(options.m_strCodes, m_codes, error))
        return Fail(error);
    m_bAskCodes = options.m_strCodes.empty() && CCodePrompt::HasTerminal();
    m_bProgress = isatty(STDERR_FILENO) != 0;

    CDumpTraceHost host(!options.m_strTrace.isEmpty());
    CCardReader reader;
    reader.SetMainWindow(&host);
    if (const int result = Connect(reader, options.m_strReader); result != kSuccess) return result;

    CCardWalker walker(CDumpCatalogue::Targets(), [&reader](const std::string& c, std::string& r) {
        return static_cast<long>(reader.Exchange(c, r));
    });
    for (const CCardWalker::CIdRange& range : ranges) walker.AddScan(range);
    walker.SetCodeSource([this](const std::string& code, int left) { return AskCode(code, left); });
    CCardDump& dump = walker.Dump();
    dump.m_atr = ReaderAtr(reader.GetReaderName());
    dump.m_strReader = reader.GetReaderName();
    dump.m_strProgram = Local(QCoreApplication::applicationName() + ' ' +
                              QCoreApplication::applicationVersion());
    dump.m_strTaken = Local(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));

    const int result = Walk(reader, walker);
    for (auto& [name, code] : m_codes) std::fill(code.begin(), code.end(), '\0');
    m_codes.clear();
    QString fileError;
    if (!options.m_strTrace.isEmpty() &&
        !CScriptFile::SaveBytes(options.m_strTrace, host.Trace(), &fileError))
        return Fail(Local(options.m_strTrace) + ": could not write (" + Local(fileError) + ")");
    if (result != kSuccess) return Fail("nothing written to " + Local(options.m_strOutput));
    for (const std::string& note : dump.m_notes) m_io.Fail(note);
    if (!CDumpJson::Save(dump, options.m_strOutput, fileError)) return Fail(Local(fileError));
    m_io.PrintLine(Local(options.m_strOutput) + ": " + std::to_string(dump.m_files.size()) +
                   " files, " + std::to_string(walker.ApduCount()) +
                   " APDUs (a complete read needs at least " + std::to_string(dump.LeastApdus()) + ")");
    return kSuccess;
}
