// Measures Play on the Script page against a raw SCardTransmit loop of the same APDUs,
// through a private pcscd, the vpcd driver and the virtual card, with the main window
// shown offscreen. Runs of the two alternate, since single runs on a shared machine
// drift; the figures are medians of runs and of pairwise ratios.
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
#include "ScriptPage.h"
#include "TempDir.h"

#include <QApplication>
#include <QFile>

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
double PlayRun(CMainDlg& dialog) {
    CScriptPage& page = dialog.ScriptPage();
    page.OnReset();
    const Clock::time_point start = Clock::now();
    page.OnPlay();
    QCoreApplication::processEvents();
    const double seconds = Seconds(start);
    if (page.List()->Model()->CellText(kRows - 1, 3).empty()) {
        std::fprintf(stderr, "the last row was not run\n");
        std::exit(1);
    }
    dialog.TracePage().List()->Model()->Clear();
    return seconds;
}

bool WriteScript(const QString& path) {
    QByteArray bytes;
    for (int i = 0; i < kRows; ++i)
        bytes += QByteArray::fromStdString(kCommands[i % kCommands.size()]) + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        rawLoop.Run(kRows);  // warm-up of both paths
        PlayRun(dialog);
        std::vector<double> raw, play, ratios;
        for (int round = 0; round < kRounds; ++round) {
            raw.push_back(rawLoop.Run(kRows));
            play.push_back(PlayRun(dialog));
            ratios.push_back(play.back() / raw.back());
        }
        const double ratio = CBenchFigure::Median(ratios);
        std::printf("rows per run: %d (%d runs of each, alternating)\n", kRows, kRounds);
        std::printf("raw SCardTransmit loop : %8.3f s (median), %6.1f us/APDU\n",
                    CBenchFigure::Median(raw), CBenchFigure::Median(raw) * 1e6 / kRows);
        std::printf("Play in the window     : %8.3f s (median), %6.1f us/row\n",
                    CBenchFigure::Median(play), CBenchFigure::Median(play) * 1e6 / kRows);
        std::printf("Play / raw             : %8.3f (median of pairwise ratios; target <= 1.3)\n",
                    ratio);
        CBenchFigure::Print("Play in the window, 10000 rows", "s", play, "raw SCardTransmit loop",
                            raw, "ratio <= 1.3");
    }
    delete g_pCardReader;
    g_pCardReader = nullptr;
    return 0;
}
