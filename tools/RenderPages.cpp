// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window on each page, the caption bar's hover frame and the small
// dialogs to PNG files, so the look can be checked without a display:
//   corvanta_render_pages <output folder> [--card]
// Run it with QT_QPA_PLATFORM=offscreen and a throw-away XDG_CONFIG_HOME
// (scripts/render-pages.sh does both). With --card it first connects to the card of the
// reader chosen at start-up (the virtual card that the script starts), sends a SELECT from
// the Command page and reads record 1 of 3F00\7F10\6F3A on the File page, so those pages
// show real answers.

#include "AboutDlg.h"
#include "CardErrorDlg.h"
#include "CardReader.h"
#include "ColorListBox.h"
#include "CompareWindow.h"
#include "CommandIniLocation.h"
#include "DialogService.h"
#include "DragListCtrl.h"
#include "EditCommandDlg.h"
#include "ExplorerWindow.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "InfoBar.h"
#include "ItemListModel.h"
#include "MainDlg.h"
#include "NewScriptDlg.h"
#include "PathCombo.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ScriptPage.h"
#include "ScriptPropertiesDlg.h"
#include "TracePage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QPainter>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

bool Save(QWidget& widget, const QString& path) {
    QCoreApplication::processEvents();
    const bool bSaved = widget.grab().save(path);
    std::printf("%s %s\n", bSaved ? "wrote" : "FAILED", qPrintable(path));
    return bSaved;
}

// Nobody answers a modal dialog here: one that comes up (the card error of a failed
// connection) is closed at once.
class CNoWaitDialogService : public CDialogService {
public:
    int ExecModal(QDialog&) override { return 0; }
};

void SetEdit(CResizableDialog& page, int nId, const char* pszText) {
    static_cast<QLineEdit*>(page.GetDlgItem(nId))->setText(QLatin1String(pszText));
}

// Connects and fills the Command and File pages from the card, as a user would.
bool TalkToCard(CMainDlg& dialog) {
    dialog.OnCardConnect();
    if (g_pCardReader == nullptr || !g_pCardReader->IsConnected()) {
        std::fprintf(stderr, "no connection to the card\n");
        return false;
    }
    auto& command = static_cast<CCommandPage&>(dialog.Page(1));
    dialog.ShowPage(1);
    // CHV1 first, so that the File page may read the phone book.
    command.ClaInsCombo()->setEditText(QStringLiteral("A020"));
    SetEdit(command, IDC_P1, "00");
    SetEdit(command, IDC_P2, "01");
    SetEdit(command, IDC_P3, "08");
    SetEdit(command, IDC_COMMAND_DATA, "31323334FFFFFFFF");
    static_cast<QRadioButton*>(command.GetDlgItem(IDC_MODE_IN))->setChecked(true);
    command.OnSend();
    command.ClaInsCombo()->setEditText(QStringLiteral("A0A4"));
    SetEdit(command, IDC_P2, "00");
    SetEdit(command, IDC_P3, "02");
    SetEdit(command, IDC_COMMAND_DATA, "7F20");
    command.OnSend();

    auto& file = static_cast<CFilePage&>(dialog.Page(2));
    dialog.ShowPage(2);
    dialog.activateWindow();
    file.PathCombo()->setFocus();
    QCoreApplication::processEvents();
    file.PathCombo()->setEditText(QStringLiteral("3F00\\7F10\\6F3A"));
    file.OnGo();
    SetEdit(file, IDC_RECORD_NUMBER, "1");
    file.OnRead();
    return file.Logic().Mode() == FileMode::Record;
}

// A short script of the kind an engineer writes: select, read, one row the run passes
// over (lower case), an empty row, and a breakpoint before the phone book.
const char kScript[] =
    "A0A40000023F00\r\nA0C0000016\r\nA0A40000027F20\r\nA0A40000026F07\r\nA0B0000009\r\n"
    "a0a4000002\r\n\r\nA0A40000027F10\r\nA0A40000026F3A\r\nA0B201041C\r\n";
constexpr int kBreakpointRow = 7;

bool LoadScript(CMainDlg& dialog, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScript) != qint64(sizeof kScript - 1)) return false;
    file.close();
    CScriptPage& page = dialog.ScriptPage();
    if (!page.OpenScript(path)) return false;
    page.List()->Model()->SetCellText(kBreakpointRow, 1, "*");
    return true;
}

// Plays the script from its first row: it stops at the breakpoint with results above it.
void RunToBreakpoint(CMainDlg& dialog) {
    CScriptPage& page = dialog.ScriptPage();
    dialog.ShowPage(3);
    page.OnReset();
    page.OnPlay();
}

// The window with a tooltip shown over a control, as the pointer resting there shows it.
bool SaveWithTooltip(QWidget& window, QWidget& anchor, const QString& tip, const QString& path) {
    const QPoint at = anchor.mapTo(&window, QPoint(anchor.width() / 3, anchor.height() / 2));
    QToolTip::showText(window.mapToGlobal(at), tip, &anchor);
    QCoreApplication::processEvents();
    QPixmap picture = window.grab();
    for (QWidget* pTop : QApplication::topLevelWidgets()) {
        if (pTop->inherits("QTipLabel") && pTop->isVisible()) {
            QPainter painter(&picture);
            painter.drawPixmap(at + QPoint(12, 16), pTop->grab());
        }
    }
    QToolTip::hideText();
    const bool bSaved = picture.save(path);
    std::printf("%s %s\n", bSaved ? "wrote" : "FAILED", qPrintable(path));
    return bSaved;
}

// The explorer on the card read whole, EF ADN record 1 with its number's bytes marked, and
// the card compared with a copy in which the service provider and one entry changed.
bool RenderExplorer(CMainDlg& dialog, const QDir& out) {
    CExplorerWindow& explorer = dialog.Explorer();
    explorer.ExploreCard();
    explorer.SetCardPresent(true);
    explorer.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "1234", {});
    explorer.ReadWholeCard();
    while (explorer.IsReading()) QCoreApplication::processEvents();
    explorer.resize(1100, 760);
    explorer.show();
    if (!explorer.SelectPath("3F00\\7F10\\6F3A")) return false;
    explorer.FieldTable()->selectRow(3);
    bool bOk = Save(explorer, out.filePath(QStringLiteral("explorer-fields.png")));

    CCardDump changed = explorer.Dump();
    if (CDumpedFile* pSpn = changed.Find("3F00\\7F20\\6F46"); pSpn && pSpn->m_contents.size() > 4) {
        pSpn->m_contents[1] = 'P';
    }
    if (CDumpedFile* pAdn = changed.Find("3F00\\7F10\\6F3A"); pAdn && !pAdn->m_records.empty()) {
        pAdn->m_records[0][0] = 'E';
    }
    CCompareWindow compare(explorer.Dump(), QStringLiteral("card"), changed, QStringLiteral("batch-0042.json"));
    compare.resize(1000, 640);
    compare.show();
    compare.OnNextDifference();
    bOk &= Save(compare, out.filePath(QStringLiteral("explorer-compare.png")));
    explorer.close();
    return bOk;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool bCard = argc >= 3 && std::strcmp(argv[2], "--card") == 0;
    if (argc < 2 || (argc >= 3 && !bCard)) {
        std::fprintf(stderr, "usage: %s <output folder> [--card]\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    // The presets beside the program, in a copy whose recent list may change.
    QTemporaryDir iniDir;
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Command.INI"),
                iniDir.filePath(QStringLiteral("Command.INI")));
    QFile(iniDir.filePath(QStringLiteral("Command.INI")))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const CCommandIniLocation iniLocation(iniDir.path(), iniDir.path());
    CCommandPage::SetIniLocation(&iniLocation);
    CNoWaitDialogService noWait;
    CDialogService::SetInstance(&noWait);
    g_pCardReader = new CCardReader();

    bool bOk = true;
    {
        CMainDlg dialog;
        dialog.Create();
        dialog.show();
        if (bCard) {
            bOk &= TalkToCard(dialog);
        } else {
            // A few exchanges' worth of trace, as a connected session leaves it.
            dialog.AppendRecord("A0A40000023F00", "9F16");
            dialog.AppendRecord("A0C0000016", "0000FFFF3F000100000000000BF10300C8B50400838A838A9000");
            dialog.AppendRecord("A0B0000009", "6B00");
        }
        bOk &= LoadScript(dialog, iniDir.filePath(QStringLiteral("sample.scp")));
        if (bCard) RunToBreakpoint(dialog);
        const char* const names[] = {"settings", "command", "file", "script", "trace"};
        for (int page = 0; page < CMainDlg::kPageCount; ++page) {
            dialog.ShowPage(page);
            dialog.OnIdleUpdate();
            bOk &= Save(dialog, out.filePath(QStringLiteral("page-%1-%2.png").arg(page).arg(QLatin1String(names[page]))));
        }
        if (bCard) {
            // The other row of the File page: offset and length of a transparent file.
            auto& file = static_cast<CFilePage&>(dialog.Page(2));
            dialog.ShowPage(2);
            file.PathCombo()->setFocus();
            QCoreApplication::processEvents();
            file.PathCombo()->setEditText(QStringLiteral("3F00\\2FE2"));
            file.OnGo();
            SetEdit(file, IDC_LENGTH, "0A");
            file.OnRead();
            bOk &= Save(dialog, out.filePath(QStringLiteral("page-2-file-transparent.png")));
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
        for (int page = 0; page < 4; ++page) {
            dialog.ShowPage(page);
            dialog.OnIdleUpdate();
            bOk &= Save(dialog, out.filePath(QStringLiteral("page-%1-%2-enlarged.png").arg(page).arg(QLatin1String(names[page]))));
        }

        if (bCard) {
            auto& file = static_cast<CFilePage&>(dialog.Page(2));
            dialog.ShowPage(2);
            // EF ICCID, selected last, read whole.
            SetEdit(file, IDC_OFFSET, "0000");
            SetEdit(file, IDC_LENGTH, "0A");
            file.OnRead();
            bOk &= SaveWithTooltip(dialog, *file.GetDlgItem(IDC_FILE_DATA),
                                   QString::fromStdString(file.Logic().DataTip()),
                                   out.filePath(QStringLiteral("tooltip-file-data.png")));
            dialog.ShowPage(4);
            bOk &= SaveWithTooltip(dialog, *dialog.TracePage().List(),
                                   CTracePage::LineTip("SW=9804"),
                                   out.filePath(QStringLiteral("tooltip-trace-status-word.png")));
            bOk &= RenderExplorer(dialog, out);
        }

        CCardErrorDlg cardError(&dialog);
        cardError.Create();
        bOk &= Save(cardError, out.filePath(QStringLiteral("dialog-card-error.png")));
        CNewScriptDlg newScript(&dialog);
        newScript.Create();
        bOk &= Save(newScript, out.filePath(QStringLiteral("dialog-new-script.png")));
        CEditCommandDlg editCommand("A0A40000023F00", &dialog);
        editCommand.Create();
        bOk &= Save(editCommand, out.filePath(QStringLiteral("dialog-edit-command.png")));
        CScriptPropertiesDlg properties(1, 10, &dialog);
        properties.Create();
        bOk &= Save(properties, out.filePath(QStringLiteral("dialog-script-properties.png")));
        CAboutDlg about(&dialog);
        about.Create();
        bOk &= Save(about, out.filePath(QStringLiteral("dialog-about.png")));
    }
    delete g_pCardReader;
    g_pCardReader = nullptr;
    CDialogService::SetInstance(nullptr);
    return bOk ? 0 : 1;
}
