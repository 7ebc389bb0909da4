// SPDX-License-Identifier: GPL-3.0-or-later
// A script of 10,000 rows played as corvanta-run plays it, against a raw SCardTransmit loop
// of the same APDUs, through a real pcscd, the vpcd driver and the virtual card. The runs
// alternate, since single runs on a shared machine drift; the figures are medians of runs
// and of pairwise ratios. Two views of the script run: the run engine with Exchange and the
// row output in this process, and the whole corvanta-run program (start-up, reading the
// script and connecting included). scriptor from pcsc-tools plays the same APDUs as the
// usual tool for the job.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QProcess>

#include <PCSC/pcsclite.h>
#include <PCSC/winscard.h>

#include "BenchFigure.h"
#include "CardReader.h"
#include "HexText.h"
#include "PrivatePcscd.h"
#include "RunOutput.h"
#include "RunRows.h"
#include "RunnerHost.h"
#include "ScriptEngine.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"
#include "TempDir.h"

namespace {

// Select EF ICCID under the MF, read it, select it again, ...
const std::vector<std::string> kCommands = {"A0A40000022FE2", "A0B000000A"};

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

[[noreturn]] void Die(const char* pszWhat) {
    std::fprintf(stderr, "%s\n", pszWhat);
    std::exit(1);
}

std::vector<std::string> ScriptLines(int rows) {
    std::vector<std::string> lines;
    for (int row = 0; row < rows; ++row) lines.push_back(kCommands[row % kCommands.size()]);
    return lines;
}

double RawRun(SCARDHANDLE hCard, const std::vector<std::string>& lines) {
    std::vector<std::vector<BYTE>> commands;
    for (const std::string& text : lines) {
        commands.emplace_back(text.size() / 2);
        HexToBytes(text, commands.back().data());
    }
    BYTE receive[300];
    const Clock::time_point start = Clock::now();
    for (const std::vector<BYTE>& command : commands) {
        DWORD length = sizeof receive;
        if (SCardTransmit(hCard, SCARD_PCI_T0, command.data(), static_cast<DWORD>(command.size()),
                          nullptr, receive, &length) != SCARD_S_SUCCESS)
            Die("raw transmit failed");
    }
    return Millis(Clock::now() - start);
}

double EngineRun(CCardReader& reader, std::FILE* pSink, const std::vector<std::string>& lines) {
    CRunOutput output(pSink, pSink, false, static_cast<int>(lines.size()));
    CRunRows rows(lines, output);
    CScriptEngine engine(rows, [&reader](const std::string& strCommand, std::string& strResponse) {
        return static_cast<long>(reader.Exchange(strCommand, strResponse));
    });
    const Clock::time_point start = Clock::now();
    engine.Play();
    output.Finish();
    const double millis = Millis(Clock::now() - start);
    if (rows.FailedExchanges() != 0) Die("exchange failed");
    return millis;
}

double ProgramRun(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const Clock::time_point start = Clock::now();
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        Die(qPrintable(program + " failed"));
    return Millis(Clock::now() - start);
}

// scriptor's input: one APDU a line, its bytes apart.
std::string ScriptorText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        for (std::size_t digit = 0; digit < line.size(); digit += 2) {
            text.append(line, digit, 2);
            text.push_back(digit + 2 < line.size() ? ' ' : '\n');
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int rowCount = argc > 1 ? std::max(10, std::atoi(argv[1])) : 10000;

    CPrivatePcscd pcscd;
    std::string error;
    if (!pcscd.Start(&error)) {
        std::fprintf(stderr, "could not start the virtual card: %s\n", error.c_str());
        return 1;
    }
    const std::vector<std::string> lines = ScriptLines(rowCount);
    CTempDir dir("corvanta-run-bench");
    const QString script = QString::fromStdString(dir.File("bench.scp"));
    if (!CScriptFile::WriteScript(script, CScriptRowVector(lines), nullptr)) Die("cannot write");
    const QString program = QCoreApplication::applicationDirPath() + "/corvanta-run";
    const QString scriptorInput = QString::fromStdString(dir.File("bench.txt"));
    if (!CScriptFile::SaveBytes(scriptorInput, ScriptorText(lines), nullptr)) Die("cannot write");
    const QStringList scriptorArguments = {"-r", QString::fromStdString(pcscd.ReaderName()), "-p",
                                           "T=0", scriptorInput};

    SCARDCONTEXT hContext = 0;
    SCARDHANDLE hCard = 0;
    DWORD protocol = 0;
    SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &hContext);
    if (SCardConnect(hContext, pcscd.ReaderName().c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0,
                     &hCard, &protocol) != SCARD_S_SUCCESS)
        Die("raw connect failed");
    CRunnerHost host(false);
    CCardReader reader;
    reader.SetMainWindow(&host);
    reader.SetReaderName(pcscd.ReaderName());
    if (reader.Connect() != SCARD_S_SUCCESS) Die("connect failed");
    std::FILE* pSink = std::fopen("/dev/null", "w");
    if (pSink == nullptr) Die("no /dev/null");

    const std::vector<std::string> warmUp(lines.begin(), lines.begin() + rowCount / 10);
    RawRun(hCard, warmUp);
    EngineRun(reader, pSink, warmUp);
    std::vector<double> raw, engine, whole, scriptor, engineRatios, wholeRatios, scriptorRatios;
    const std::vector<std::function<void()>> contenders = {
        [&] { raw.push_back(RawRun(hCard, lines)); },
        [&] { engine.push_back(EngineRun(reader, pSink, lines)); },
        [&] { whole.push_back(ProgramRun(program, {script})); },
        [&] { scriptor.push_back(ProgramRun("scriptor", scriptorArguments)); }};
    for (int round = 0; round < rounds; ++round) {
        // Every other round in reverse, so that none always runs first after the others.
        if (round % 2 == 0) {
            for (const auto& contender : contenders) contender();
        } else {
            for (auto contender = contenders.rbegin(); contender != contenders.rend(); ++contender)
                (*contender)();
        }
        engineRatios.push_back(engine.back() / raw.back());
        wholeRatios.push_back(whole.back() / raw.back());
        scriptorRatios.push_back(whole.back() / scriptor.back());
    }
    std::printf("rows per run: %d (%d rounds, alternating)\n", rowCount, rounds);
    std::printf("raw SCardTransmit loop   : %9.1f ms (median)\n", CBenchFigure::Median(raw));
    std::printf("run engine + Exchange    : %9.1f ms (median)\n", CBenchFigure::Median(engine));
    std::printf("corvanta-run, whole run  : %9.1f ms (median)\n", CBenchFigure::Median(whole));
    std::printf("scriptor, whole run      : %9.1f ms (median)\n", CBenchFigure::Median(scriptor));
    std::printf("engine / raw             : %9.3f (median of pairwise ratios)\n",
                CBenchFigure::Median(engineRatios));
    std::printf("corvanta-run / raw       : %9.3f (median of pairwise ratios; target <= 1.05)\n",
                CBenchFigure::Median(wholeRatios));
    std::printf("corvanta-run / scriptor  : %9.3f (median of pairwise ratios; target < 1)\n",
                CBenchFigure::Median(scriptorRatios));
    // On a loaded machine the fastest runs are the ones least disturbed by others.
    const double bestRaw = *std::min_element(raw.begin(), raw.end());
    const double bestEngine = *std::min_element(engine.begin(), engine.end());
    const double bestWhole = *std::min_element(whole.begin(), whole.end());
    std::printf("best runs: raw %.1f ms, engine %.1f ms (%.3f), corvanta-run %.1f ms (%.3f)\n",
                bestRaw, bestEngine, bestEngine / bestRaw, bestWhole, bestWhole / bestRaw);
    const std::string rowsText = std::to_string(rowCount) + " rows";
    CBenchFigure::Print(("corvanta-run, " + rowsText).c_str(), "ms", whole,
                        "raw SCardTransmit loop", raw, "ratio <= 1.05");
    CBenchFigure::Print(("corvanta-run, " + rowsText).c_str(), "ms", whole, "scriptor (pcsc-tools)",
                        scriptor, "ratio < 1");
    CBenchFigure::Print(("run engine + Exchange in process, " + rowsText).c_str(), "ms", engine,
                        "raw SCardTransmit loop", raw, "");

    std::fclose(pSink);
    SCardDisconnect(hCard, SCARD_LEAVE_CARD);
    SCardReleaseContext(hContext);
    return 0;
}
