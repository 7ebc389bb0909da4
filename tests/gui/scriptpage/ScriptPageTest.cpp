// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragListCtrl.h"
#include "ItemListModel.h"
#include "PrivatePcscd.h"
#include "ResourceIds.h"
#include "ScriptFile.h"
#include "ScriptPage.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

// The page's wiring to the file formats, the item list, its dialogs and the card; their
// rules are tested in the script and item list unit tests. A card pulled during a Play and
// the trace of a run are hostile card tests.
namespace {

// The main window on its Script page, a folder for script files, and dialogs answered
// as a user would answer them.
class ScriptPage : public CShellFixture {
protected:
    CScriptPage& StartOnScriptPage() {
        CMainDlg& dlg = StartMainWindow();
        dlg.ShowPage(3);
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        return Page();
    }
    CScriptPage& Page() const { return m_pMainDlg->ScriptPage(); }
    CDragListCtrl& List() const { return *Page().List(); }
    CItemListModel& Model() const { return *List().Model(); }

    QString Path(const std::string& name) const { return QString::fromStdString(m_dir.File(name)); }
    // Opens a script of these lines.
    void Load(std::string_view lines) {
        ASSERT_TRUE(CScriptFile::SaveBytes(Path("loaded.scp"), lines, nullptr));
        ASSERT_TRUE(Page().OpenScript(Path("loaded.scp")));
    }
    // One column of every row, e.g. "1|A0|*" rows joined by '|'.
    std::string Column(int column) const {
        std::string texts;
        for (int row = 0; row < Model().RowCount(); ++row)
            texts += (row == 0 ? "" : "|") + Model().CellText(row, column);
        return texts;
    }
    void Click(int nButton) const { QTest::mouseClick(Page().GetDlgItem(nButton), Qt::LeftButton); }

    // Each modal dialog: every text typed into its edit in turn, each followed by OK.
    void AnswerDialogs(const QStringList& typed) {
        m_dialogs.m_answerModal = [typed](QDialog& dialog) {
            for (const QString& text : typed) {
                auto* pEdit = dialog.findChild<QLineEdit*>();
                pEdit->clear();
                QTest::keyClicks(pEdit, text);
                dialog.accept();
            }
            return dialog.result();
        };
    }

    CTempDir m_dir{"corvanta-script"};
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The last Export goes to a folder that does not exist; a failed Open changes nothing.
// Without a card the connect before a run fails and nothing runs.
TEST_F(ScriptPage, FileAndRunButtonsGoThroughTheirDialogsAndNameTheScript) {
    CScriptPage& page = StartOnScriptPage();
    AnswerDialogs({"", "1000", "3"});  // each refused with a warning, then taken
    Click(IDC_NEW);
    EXPECT_EQ(Column(0), "1|2|3");
    Model().SetCellText(0, 2, "A0B0");
    Model().SetCellTexts(2, 3, {"9000", "12"});
    m_dialogs.m_saveAnswers = {Path("a.b.scp"), Path("a.b.log"), Path("gone/a.log")};
    Click(IDC_SAVE);
    Click(IDC_SAVE);  // named now: no second question
    Click(IDC_EXPORT);
    Click(IDC_EXPORT);
    ASSERT_EQ(m_dialogs.m_saveRequests.size(), 3u);
    EXPECT_EQ(m_dialogs.m_saveRequests[0].options.strFileName, "untitled");
    EXPECT_EQ(m_dialogs.m_saveRequests[1].options.strFileName, "a.b");
    EXPECT_EQ(ReadAll(Path("a.b.scp")), "A0B0\r\n\r\n\r\n");
    EXPECT_EQ(ReadAll(Path("a.b.log")), ";9000;12\r\n");
    m_dialogs.m_answerModal = nullptr;
    Click(IDC_PLAY);
    EXPECT_TRUE(page.IsListFocused());  // the list's keys work again at once
    Click(IDC_STEP);
    EXPECT_EQ(m_dialogs.m_modals.size(), 3u);
    EXPECT_EQ(m_dialogs.m_modals.back().strTitle, "Card error");
    EXPECT_EQ(Column(3), "||9000");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Click(IDC_RESET);
    EXPECT_EQ(List().Selection().nFocus, 0);

    ASSERT_TRUE(CScriptFile::SaveBytes(Path("other.scp"), "A0\r\n\r\nB0", nullptr));
    m_dialogs.m_openAnswers = {Path("missing.scp"), Path("other.scp")};
    Click(IDC_OPEN);
    EXPECT_EQ(Column(2), "A0B0||");
    Click(IDC_OPEN);
    EXPECT_EQ(Column(2), "A0||B0");
    EXPECT_EQ(page.FileTitle(), "other");
    ASSERT_EQ(m_dialogs.m_messages.size(), 4u);
    EXPECT_EQ(m_dialogs.m_messages[2].strText, "Could not open " + Path("gone/a.log"));
    EXPECT_EQ(m_dialogs.m_messages[3].strText, "Could not open " + Path("missing.scp"));
}

// Enter and a double-click edit the command of one selected row only, keeping its results.
// The Properties dialog comes from the menu of a list without a selection.
TEST_F(ScriptPage, EditingKeysActOnTheFocusedListAndMenusAndPropertiesOnTheScript) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\nB0\r\nC0\r\nD0\r\n");
    Model().SetCellText(0, 1, "*");
    Model().SetCellTexts(0, 3, {"9000", "12"});
    List().SetSelection({{0, 1}, 1});
    QWidget* pPlay = page.GetDlgItem(IDC_PLAY);
    pPlay->setFocus();
    for (const auto key : {Qt::Key_F9, Qt::Key_Delete, Qt::Key_Insert}) QTest::keyClick(pPlay, key);
    EXPECT_EQ(Column(1), "*|||");
    EXPECT_EQ(Column(2), "A0|B0|C0|D0");

    List().setFocus();
    AnswerDialogs({"a0b"});
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_TRUE(m_dialogs.m_modals.empty());
    QTest::keyClick(&List(), Qt::Key_F9);  // each row's mark swaps on its own
    EXPECT_EQ(Column(1), "|*||");
    QTest::keyClick(&List(), Qt::Key_C, Qt::ControlModifier);
    List().SetSelection({{3}, 3});
    QTest::keyClick(&List(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Column(2), "A0|B0|C0|A0");
    List().SetSelection({{0}, 0});
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_EQ(Column(2), "A0B|B0|C0|A0");  // upper case, odd length taken as typed
    EXPECT_EQ(Column(3), "9000|||9000");
    const QPoint row1 = List().visualRect(Model().index(1, 2)).center();
    QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, row1);
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, row1);
    EXPECT_EQ(Column(2), "A0B|A0B|C0|A0");

    QTest::keyClick(&List(), Qt::Key_Delete);
    List().SetSelection({{1}, 1});
    QTest::keyClick(&List(), Qt::Key_Insert);
    EXPECT_EQ(Column(0), "1|2|3|4");
    EXPECT_EQ(Column(2), "A0B||C0|A0");
    QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Model().RowCount(), 0);
    EXPECT_TRUE(List().EmptyTextArmed());

    Load("A0\r\n\r\nB0\r\n\r\n\r\n\r\n\r\n\r\nC0\r\n");
    QString prompt;
    bool bEditBold = false;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        bEditBold = menu.defaultAction() == menu.actions().constFirst();
        FindAction(menu, "&Copy\tCtrl+C")->hover();
        prompt = m_pMainDlg->PaneText();
        return nullptr;
    };
    List().SetSelection({{0}, 0});
    page.OnContextMenu(QPoint(5, 5));
    EXPECT_TRUE(bEditBold);
    EXPECT_EQ(prompt, "Copy all selected items");
    EXPECT_EQ(m_pMainDlg->PaneText(), "No connection !");

    List().SetSelection({{}, -1});
    ChooseMenuItem("&Properties...");
    AnswerDialogs({"10"});
    page.OnContextMenu(QPoint(5, 5));
    EXPECT_EQ(m_dialogs.m_modals.back().texts.mid(0, 4),
              QStringList({"Empty Items:", "6", "Total Items:", "9"}));
    EXPECT_EQ(Column(0), "01|02|03|04|05|06|07|08|09|10");
    AnswerDialogs({"2"});
    page.OnProperties();
    EXPECT_EQ(Column(2), "A0|");
    EXPECT_EQ(Column(0), "1|2");
}

// Enter judges the text the field shows: an emptied field and a fourth digit are refused
// with the dialog still open; the arrow key steps the number typed.
TEST_F(ScriptPage, PropertiesRefusesWhatTheFieldShowsUntilItIsACount) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\nB0\r\nC0\r\nD0\r\nE0\r\n");
    std::vector<std::pair<std::size_t, bool>> afterEachEnter;  // warnings, still open
    m_dialogs.m_answerModal = [&](QDialog& dialog) {
        dialog.show();
        auto* pEdit = dialog.findChild<QLineEdit*>();
        const auto enter = [&](const QString& typed, Qt::Key extraKey) {
            pEdit->selectAll();
            QTest::keyClicks(pEdit, typed);
            QTest::keyClick(pEdit, extraKey);
            QTest::keyClick(pEdit, Qt::Key_Return);
            afterEachEnter.push_back({m_dialogs.m_messages.size(), dialog.isVisible()});
        };
        enter("2", Qt::Key_Backspace);
        enter("1000", Qt::Key_End);
        enter("2", Qt::Key_Up);
        return dialog.result();
    };
    page.OnProperties();
    EXPECT_EQ(afterEachEnter,
              (std::vector<std::pair<std::size_t, bool>>{{1, true}, {2, true}, {2, false}}));
    EXPECT_EQ(Column(2), "A0|B0|C0");
}

// Save As asks every time, from the menu of a right-click below the rows or from its key,
// and names the script only after a write that worked. Each kind of file dialog opens
// where the last file of its kind was chosen.
TEST_F(ScriptPage, SaveAsAsksForANameAndEachKindOfFileKeepsItsFolder) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\nB0\r\n");
    const QString scripts = Path("scripts"), logs = Path("logs");
    ASSERT_TRUE(QDir().mkpath(scripts) && QDir().mkpath(logs));
    List().SetSelection({{0}, 0});
    ChooseMenuItem("Save &As...");
    m_dialogs.m_saveAnswers = {Path("gone/x.scp"), scripts + "/x.scp", logs + "/x.log",
                               logs + "/trace.log", logs + "/trace.log"};
    // A right-click on no row: the press, then the menu request.
    const QPoint below(5, List().viewport()->height() - 5);
    QTest::mousePress(List().viewport(), Qt::RightButton, {}, below);
    QContextMenuEvent request(QContextMenuEvent::Mouse, below,
                              List().viewport()->mapToGlobal(below));
    QApplication::sendEvent(List().viewport(), &request);
    EXPECT_EQ(page.PathName(), Path("loaded.scp"));  // the write failed: the name stays
    QTest::keyClick(&List(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page.PathName(), scripts + "/x.scp");
    EXPECT_EQ(ReadAll(scripts + "/x.scp"), "A0\r\nB0\r\n");
    Click(IDC_EXPORT);
    m_pMainDlg->TracePage().OnSaveAs();
    m_pMainDlg->TracePage().OnSaveAs();
    page.OnSaveAs();  // cancelled: nothing changes

    const auto& requests = m_dialogs.m_saveRequests;
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(m_dialogs.m_menuTexts.at(0).mid(0, 5),
              QStringList({"&New...", "&Open...", "&Save", "Save &As...", "&Export..."}));
    EXPECT_EQ(requests[0].options.strFileName, "loaded");
    EXPECT_EQ(requests[0].options.strDefaultSuffix, "scp");
    EXPECT_TRUE(requests[0].options.bConfirmOverwrite);
    EXPECT_EQ(requests[1].options.strDirectory, "");  // the folder chosen first is not there
    EXPECT_EQ(requests[2].options.strDirectory, "");  // the first export
    EXPECT_EQ(requests[3].options.strDirectory, "");  // the first trace log
    EXPECT_EQ(requests[4].options.strDirectory, logs);
    EXPECT_EQ(requests[5].options.strDirectory, scripts);
    EXPECT_EQ(requests[5].options.strFileName, "x");
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + Path("gone/x.scp"));
}

// A command that Play passes over says why; four-digit row numbers widen the Item column
// until the user sets its width.
TEST_F(ScriptPage, SkippedCommandsSayWhyAndRowNumbersFitTheItemColumn) {
    StartOnScriptPage();
    Load("A0A4000002\r\r\na0a4\r\nA0A4000002\r\nA0 A4\r\n\r\n");
    QStringList notes;
    for (int row = 0; row < Model().RowCount(); ++row)
        notes << Model().index(row, 2).data(CItemListModel::kNoteRole).toString();
    EXPECT_EQ(notes, QStringList({"not sent: carriage return", "not sent: lower-case letter", "",
                                  "not sent: space", ""}));
    // A status word explains itself in its cell's tooltip; an empty cell has nothing to say.
    Model().SetCellText(2, 3, "9804");
    EXPECT_TRUE(Model().index(2, 3).data(CItemListModel::kTipRole).toString().startsWith("access condition not fulfilled"));
    EXPECT_EQ(Model().index(3, 3).data(CItemListModel::kTipRole).toString(), "");

    QHeaderView& header = *List().header();
    const int threeDigits = header.sectionSize(0);
    std::string rows;
    for (int row = 0; row < 1200; ++row) rows += "A0\r\n";
    Load(rows);
    EXPECT_EQ(Model().CellText(1199, 0), "1200");
    EXPECT_GE(header.sectionSize(0), threeDigits + List().fontMetrics().horizontalAdvance('0'));
    Load("A0\r\n");
    EXPECT_EQ(header.sectionSize(0), threeDigits);
    header.resizeSection(0, threeDigits - 5);  // as the user's drag does
    Load(rows);
    EXPECT_EQ(header.sectionSize(0), threeDigits - 5);
}

// The second window opens a missing script and keeps the first window's column widths.
TEST_F(ScriptPage, AScriptOnTheCommandLineOpensOnTheScriptPage) {
    ASSERT_TRUE(CScriptFile::SaveBytes(Path("start.scp"), "A0\r\nB0\r\n", nullptr));
    for (const char* name : {"start.scp", "missing.scp"}) {
        m_pMainDlg = std::make_unique<CMainDlg>();
        m_pMainDlg->SetStartScript(Path(name));
        m_pMainDlg->Create();
        const bool bFound = std::string(name) == "start.scp";
        ExpectPage(*m_pMainDlg, bFound ? 3 : 0, bFound ? "Script" : "Settings");
        EXPECT_EQ(Column(2), bFound ? "A0|B0" : "");
        EXPECT_EQ(Page().FileTitle(), bFound ? "start" : "untitled");
        if (bFound) List().header()->resizeSection(2, 222);
    }
    EXPECT_EQ(List().header()->sectionSize(2), 222);
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + Path("missing.scp"));
}

// Without a daemon of its own, every PC/SC call of a test fails; this one starts its
// daemon and card before its first call.
class ScriptRun : public ScriptPage {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        ScriptPage::SetUp();
    }

    CPrivatePcscd m_pcscd;
};

TEST_F(ScriptRun, PlayConnectsAndStopsAtABreakpointStepMovesOn) {
    StartOnScriptPage();
    Load("A0A40000023F00\r\na0a4000002\r\nA0A40000027F20\r\nA0A40000026F07\r\nA0A40000023F00\r\n");
    Model().SetCellText(3, 1, "*");
    Model().SetCellText(4, 3, "old");
    Click(IDC_PLAY);
    EXPECT_EQ(Column(3), "9F17||9F17||");  // the lower-case row is passed over
    EXPECT_EQ(List().Selection().aRows, std::vector<int>({3}));
    Click(IDC_STEP);
    Click(IDC_STEP);
    EXPECT_EQ(Column(3), "9F17||9F17|9F0F|9F17");
    EXPECT_EQ(List().Selection().nFocus, -1);  // past the last row
}

}  // namespace
