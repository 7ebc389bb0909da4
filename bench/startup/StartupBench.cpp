// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, through a real pcscd, the vpcd driver and the virtual card: corvanta to its
// first painted window (offscreen, fresh profile) and corvanta-run to its first APDU, each
// beside a bare program doing the least of the same. Every program runs as a process and
// is timed from its start to its first line on standard output: corvanta-first-paint (the
// program with a way out at its first paint) prints it then, corvanta-run after a one-row
// script's APDU.
// The runs alternate, since single runs on a shared machine drift; the figures are medians
// of runs and of pairwise ratios.
// Usage: corvanta-startup-bench [rounds]
#include "BenchFigure.h"
#include "PrivatePcscd.h"
#include "ScriptFile.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Die(const QString& what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

// One program and how it is started.
struct SProgram {
    QString strPath;
    QStringList arguments;
    QProcessEnvironment environment;
};

double MillisToFirstLine(const SProgram& program) {
    QProcess process;
    process.setProcessEnvironment(program.environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    const Clock::time_point start = Clock::now();
    process.start(program.strPath, program.arguments);
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(30000)) Die(program.strPath + " printed no line");
    }
    const double millis = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        Die(program.strPath + " failed");
    return millis;
}

// A program timed beside its baseline, with the figure and target of the table.
struct SComparison {
    const char* pszFigure;
    SProgram program;
    const char* pszBaseline;
    SProgram baseline;
    const char* pszTarget;
};

struct STimings {
    std::vector<double> program, baseline;
};

// Every other round the baseline starts first, so that neither always follows the other.
void RunRound(const SComparison& comparison, bool bBaselineFirst, STimings& runs) {
    if (bBaselineFirst) runs.baseline.push_back(MillisToFirstLine(comparison.baseline));
    runs.program.push_back(MillisToFirstLine(comparison.program));
    if (!bBaselineFirst) runs.baseline.push_back(MillisToFirstLine(comparison.baseline));
}

void Print(const SComparison& comparison, const STimings& runs) {
    std::printf("%-44s %8.1f ms | %-52s %8.1f ms (medians)\n", comparison.pszFigure,
                CBenchFigure::Median(runs.program), comparison.pszBaseline,
                CBenchFigure::Median(runs.baseline));
    CBenchFigure::Print(comparison.pszFigure, "ms", runs.program, comparison.pszBaseline,
                        runs.baseline, comparison.pszTarget);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    CPrivatePcscd pcscd;
    std::string error;
    if (!pcscd.Start(&error))
        Die(QString::fromStdString("could not start the virtual card: " + error));
    // Started from here, every program finds this pcscd through PCSCLITE_CSOCK_NAME.
    const QProcessEnvironment pcscEnvironment = QProcessEnvironment::systemEnvironment();

    CTempDir dir("corvanta-startup-bench");
    const QString script = QString::fromStdString(dir.File("one-row.scp"));
    if (!CScriptFile::SaveBytes(script, "A0A40000022FE2\r\n", nullptr))
        Die("cannot write " + script);

    // A fresh profile that the probe never writes to, and no display.
    QProcessEnvironment windowEnvironment = pcscEnvironment;
    windowEnvironment.insert("QT_QPA_PLATFORM", "offscreen");
    windowEnvironment.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.File("config")));

    const QString bin = QCoreApplication::applicationDirPath();
    const std::vector<SComparison> comparisons = {
        {"corvanta start-up to first painted window",
         {bin + "/corvanta-first-paint", {}, windowEnvironment},
         "bare QApplication + QWidget",
         {bin + "/corvanta-bare-window", {}, windowEnvironment},
         "value < 300"},
        {"corvanta-run start-up to first APDU",
         {bin + "/corvanta-run", {script}, pcscEnvironment},
         "bare SCardEstablishContext + Connect + Transmit",
         {bin + "/corvanta-bare-pcsc",
          {QString::fromStdString(pcscd.ReaderName())},
          pcscEnvironment},
         "value < 50"},
    };
    for (const SComparison& comparison : comparisons) {
        // The first start of each fills the page cache; it is not counted.
        MillisToFirstLine(comparison.program);
        MillisToFirstLine(comparison.baseline);
    }
    std::vector<STimings> runs(comparisons.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t n = 0; n < comparisons.size(); ++n)
            RunRound(comparisons[n], round % 2 == 1, runs[n]);
    }
    std::printf("start-up, %d rounds, alternating\n", rounds);
    for (std::size_t n = 0; n < comparisons.size(); ++n) Print(comparisons[n], runs[n]);
    return 0;
}
