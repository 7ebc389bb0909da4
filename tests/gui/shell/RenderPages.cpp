// Renders the main window on each page, the caption bar's hover frame and the small
// dialogs to PNG files, so the look can be checked without a display:
//   corvanta_render_pages <output folder>
// Run it with QT_QPA_PLATFORM=offscreen and a throw-away XDG_CONFIG_HOME
// (scripts/render-pages.sh does both).

#include "AboutDlg.h"
#include "CardErrorDlg.h"
#include "CardReader.h"
#include "MainDlg.h"
#include "InfoBar.h"
#include "Profile.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPixmap>

#include <cstdio>

namespace {

bool Save(QWidget& widget, const QString& path) {
    QCoreApplication::processEvents();
    const bool bSaved = widget.grab().save(path);
    std::printf("%s %s\n", bSaved ? "wrote" : "FAILED", qPrintable(path));
    return bSaved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    g_pCardReader = new CCardReader();

    bool bOk = true;
    {
        CMainDlg dialog;
        dialog.Create();
        dialog.show();
        // A few exchanges' worth of trace, as a connected session leaves it.
        dialog.AppendRecord("A0A40000023F00", "9F16");
        dialog.AppendRecord("A0C0000016", "0000FFFF3F000100000000000BF10300C8B50400838A838A9000");
        dialog.AppendRecord("A0B0000009", "6B00");
        const char* const names[] = {"settings", "command", "file", "script", "trace"};
        for (int page = 0; page < CMainDlg::kPageCount; ++page) {
            dialog.ShowPage(page);
            dialog.OnIdleUpdate();
            bOk &= Save(dialog, out.filePath(QStringLiteral("page-%1-%2.png").arg(page).arg(QLatin1String(names[page]))));
        }
        // The caption bar with the mouse over its hot area.
        dialog.ShowPage(2);
        CInfoBar* pBar = dialog.InfoBar();
        const QPoint hot = pBar->HotRect().center();
        QMouseEvent move(QEvent::MouseMove, hot, pBar->mapToGlobal(hot), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pBar, &move);
        bOk &= Save(*pBar, out.filePath(QStringLiteral("caption-bar-hover.png")));
        const QPoint away(pBar->width() - 1, pBar->height() - 1);
        QMouseEvent leave(QEvent::MouseMove, away, pBar->mapToGlobal(away), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pBar, &leave);

        dialog.resize(dialog.width() + 200, dialog.height() + 120);
        dialog.ShowPage(0);
        bOk &= Save(dialog, out.filePath(QStringLiteral("page-0-settings-enlarged.png")));

        CCardErrorDlg cardError(&dialog);
        cardError.Create();
        bOk &= Save(cardError, out.filePath(QStringLiteral("dialog-card-error.png")));
        CAboutDlg about(&dialog);
        about.Create();
        bOk &= Save(about, out.filePath(QStringLiteral("dialog-about.png")));
    }
    delete g_pCardReader;
    g_pCardReader = nullptr;
    return bOk ? 0 : 1;
}
