// SPDX-License-Identifier: GPL-3.0-or-later
// Measures Play on the Script page against a raw SCardTransmit loop of the same APDUs,
// through a private pcscd, the vpcd driver and the virtual card, with the main window
// shown offscreen. Runs of the two alternate, since single runs on a shared machine
// drift; the figures are medians of runs and of pairwise ratios.
// With --soak ROWS it plays one script of ROWS rows once instead and reports how much the
// resident memory grew per APDU beside the trace text the run added.
// After the rounds it breaks the window's cost per row down with a stand-in card that
// answers at once: the run engine alone, then the list's model writes and current row
// (window hidden, so nothing paints), the painting (window shown) and the trace append.
#include "BenchFigure.h"
#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "DragListCtrl.h"
#include "ItemListModel.h"
#include "MainDlg.h"
#include "PrivatePcscd.h"
#include "Profile.h"
#include "RawTransmitLoop.h"
#include "ScriptEngine.h"
#include "ScriptListRows.h"
#include "ScriptPage.h"
#include "ScriptRowVector.h"
#include "TempDir.h"

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Select EF ICCID under the MF, read it, select it again, ...
const std::vector<std::string> kCommands = {"A0A40000022FE2", "A0B000000A"};
constexpr int kRows = 10000;
constexpr int kRounds = 7;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// From the first row to the end, until the window has shown the last result and the
// trace has taken every record.
double PlayRun(CMainDlg& dialog, int rows = kRows, bool bClearTrace = true) {
    CScriptPage& page = dialog.ScriptPage();
    page.OnReset();
    const Clock::time_point start = Clock::now();
    page.OnPlay();
    QCoreApplication::processEvents();
    const double seconds = Seconds(start);
    if (page.List()->Model()->CellText(rows - 1, 3).empty()) {
        std::fprintf(stderr, "the last row was not run\n");
        std::exit(1);
    }
    if (bClearTrace) dialog.TracePage().List()->Model()->Clear();
    return seconds;
}

bool WriteScript(const QString& path, int rows = kRows) {
    QByteArray bytes;
    for (int i = 0; i < rows; ++i)
        bytes += QByteArray::fromStdString(kCommands[i % kCommands.size()]) + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Answers as the virtual card does to the two commands, without a card.
long StandInCard(const std::string& strCommand, std::string& strResponse) {
    strResponse = strCommand == kCommands[0] ? "9F0F" : "98340121436587092143659000";
    return 0;
}

// Microseconds per row of one Play from row 0 over the rows, with the stand-in card.
double StandInPlay(CScriptRows& rows, const ExchangeFunction& exchange,
                   CScriptListRows* pListRows) {
    rows.SetCurrentRow(-1);
    CScriptEngine engine(rows, exchange);
    const Clock::time_point start = Clock::now();
    if (pListRows != nullptr) pListRows->BeginRun();
    engine.Play();
    if (pListRows != nullptr) pListRows->EndRun();
    QCoreApplication::processEvents();
    return Seconds(start) * 1e6 / rows.RowCount();
}

// The window's cost per row, part by part, each the median of a few Plays.
void PrintBreakdown(CMainDlg& dialog) {
    constexpr int kBreakdownRounds = 5;
    CScriptPage& page = dialog.ScriptPage();
    CScriptListRows listRows(*page.List());
    std::vector<std::string> commands;
    for (int row = 0; row < kRows; ++row) commands.push_back(kCommands[row % kCommands.size()]);
    CScriptRowVector vectorRows(commands);
    const auto traced = [&dialog](const std::string& strCommand, std::string& strResponse) {
        const long code = StandInCard(strCommand, strResponse);
        dialog.AppendRecord(strCommand, strResponse);
        return code;
    };
    std::vector<double> engine, hidden, shown, withTrace;
    for (int round = 0; round < kBreakdownRounds; ++round) {
        engine.push_back(StandInPlay(vectorRows, &StandInCard, nullptr));
        dialog.hide();
        hidden.push_back(StandInPlay(listRows, &StandInCard, &listRows));
        dialog.show();
        QCoreApplication::processEvents();
        shown.push_back(StandInPlay(listRows, &StandInCard, &listRows));
        withTrace.push_back(StandInPlay(listRows, traced, &listRows));
        dialog.TracePage().List()->Model()->Clear();
    }
    const double e = CBenchFigure::Median(engine), h = CBenchFigure::Median(hidden),
                 s = CBenchFigure::Median(shown), t = CBenchFigure::Median(withTrace);
    std::printf("per row with a stand-in card (median of %d Plays of %d rows):\n", kBreakdownRounds,
                kRows);
    std::printf("  run engine over a row vector      : %6.2f us\n", e);
    std::printf("  + list model writes, current row  : %6.2f us\n", h - e);
    std::printf("  + painting (window shown, fast)   : %6.2f us\n", s - h);
    std::printf("  + trace append                    : %6.2f us\n", t - s);
    std::printf("  window's cost beyond the engine   : %6.2f us\n", t - e);
    // Painting comes once a frame or less, so its share per row depends on the card's pace:
    // measured in a Play on the card.
    std::vector<double> paint;
    int nUpdates = 0;
    for (int round = 0; round < kBreakdownRounds; ++round) {
        StandInPlay(listRows, &ExchangeWithCard, &listRows);
        nUpdates = listRows.UpdateCount();
        paint.push_back(listRows.UpdateNs() / 1e3 / kRows);
        dialog.TracePage().List()->Model()->Clear();
    }
    std::printf(
        "  painting in a Play on the card    : %6.2f us (%d repaints of the list, "
        "%.2f ms each)\n",
        CBenchFigure::Median(paint), nUpdates,
        CBenchFigure::Median(paint) * kRows / 1e3 / std::max(nUpdates, 1));
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* pFile = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(pFile, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(pFile);
    }
    return resident * 4096;
}

// One Play of a long script: what it adds to the resident memory beyond the trace text.
int Soak(CMainDlg& dialog, const QString& script, int rows) {
    if (!WriteScript(script, rows) || !dialog.ScriptPage().OpenScript(script)) return 1;
    QCoreApplication::processEvents();
    const long before = ResidentBytes();
    const double seconds = PlayRun(dialog, rows, false);
    const long after = ResidentBytes();
    const CColorLineModel& trace = *dialog.TracePage().List()->Model();
    qint64 textBytes = 0;
    for (int line = 0; line < trace.rowCount(); ++line) textBytes += trace.LineText(line).size();
    std::printf("Play soak: %d APDUs in %.1f s\n", rows, seconds);
    std::printf("resident memory: %.1f MB before, %.1f MB after Play: %.1f bytes per APDU\n",
                before / 1e6, after / 1e6, double(after - before) / rows);
    std::printf("trace: %d lines, %.1f bytes of text per APDU; growth beyond the trace text: "
                "%.1f bytes per APDU\n",
                trace.rowCount(), double(textBytes) / rows, double(after - before - textBytes) / rows);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CTempDir profile("corvanta-bench");
    qputenv("XDG_CONFIG_HOME", profile.Path().c_str());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    CPrivatePcscd pcscd;
    std::string error;
    if (!pcscd.Start(&error)) {
        std::fprintf(stderr, "could not start the virtual card: %s\n", error.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    g_pCardReader = new CCardReader();

    const CRawTransmitLoop rawLoop(pcscd.ReaderName(), kCommands);
    if (!rawLoop.IsConnected()) {
        std::fprintf(stderr, "raw connect failed\n");
        return 1;
    }

    const QString script = QString::fromStdString(profile.File("bench.scp"));
    {
        CMainDlg dialog;
        dialog.Create();
        dialog.show();
        dialog.ShowPage(3);
        dialog.OnCardConnect();
        if (!g_pCardReader->IsConnected() || !WriteScript(script) ||
            !dialog.ScriptPage().OpenScript(script)) {
            std::fprintf(stderr, "no connection or no script\n");
            return 1;
        }
        if (argc == 3 && std::string(argv[1]) == "--soak") return Soak(dialog, script, std::atoi(argv[2]));
        rawLoop.Run(kRows);  // warm-up of both paths
        PlayRun(dialog);
        // The same rows run by the engine over a plain vector, through Exchange and the
        // trace: what Play costs without the list.
        std::vector<std::string> commands;
        for (int row = 0; row < kRows; ++row) commands.push_back(kCommands[row % kCommands.size()]);
        CScriptRowVector vectorRows(commands);
        std::vector<double> raw, play, ratios, engine, engineRatios;
        for (int round = 0; round < kRounds; ++round) {
            raw.push_back(rawLoop.Run(kRows));
            play.push_back(PlayRun(dialog));
            ratios.push_back(play.back() / raw.back());
            engine.push_back(StandInPlay(vectorRows, &ExchangeWithCard, nullptr) * kRows / 1e6);
            engineRatios.push_back(engine.back() / raw.back());
            dialog.TracePage().List()->Model()->Clear();
        }
        const double ratio = CBenchFigure::Median(ratios);
        std::printf("rows per run: %d (%d runs of each, alternating)\n", kRows, kRounds);
        std::printf("raw SCardTransmit loop : %8.3f s (median), %6.1f us/APDU\n",
                    CBenchFigure::Median(raw), CBenchFigure::Median(raw) * 1e6 / kRows);
        std::printf("Play in the window     : %8.3f s (median), %6.1f us/row\n",
                    CBenchFigure::Median(play), CBenchFigure::Median(play) * 1e6 / kRows);
        std::printf("Play / raw             : %8.3f (median of pairwise ratios; target <= 1.1)\n",
                    ratio);
        CBenchFigure::Print("Play in the window, 10000 rows", "s", play, "raw SCardTransmit loop",
                            raw, "ratio <= 1.1");
        std::printf(
            "engine + Exchange over a row vector / raw: %6.3f (median of pairwise ratios)\n",
            CBenchFigure::Median(engineRatios));
        std::printf("Play beyond the raw loop: %6.2f us/row (median)\n",
                    (CBenchFigure::Median(play) - CBenchFigure::Median(raw)) * 1e6 / kRows);
        PrintBreakdown(dialog);
    }
    delete g_pCardReader;
    g_pCardReader = nullptr;
    return 0;
}
