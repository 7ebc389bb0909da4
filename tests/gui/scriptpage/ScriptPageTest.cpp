#include "Profile.h"
#include "ScriptPageFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStatusBar>

#include <sys/resource.h>
#include <csignal>

namespace {

using ScriptPage = CScriptPageFixture;

TEST_F(ScriptPage, NewSaveExportAndOpenGoThroughTheirDialogsAndNameTheScript) {
    CScriptPage& page = StartOnScriptPage();
    AnswerDialogs({"1000", "3"});  // refused with a warning, then taken
    page.OnNew();
    EXPECT_EQ(m_dialogs.m_modals.back().strTitle, "New PC File");
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(Column(0), "1|2|3");

    Model().SetCellText(0, 2, "A0B0");
    Model().SetCellTexts(2, 3, {"9000", "12"});
    m_dialogs.m_saveAnswers = {Path("a.b.scp"), Path("a.b.log")};
    page.OnSave();
    page.OnSave();  // named now: no second question
    page.OnExport();
    ASSERT_EQ(m_dialogs.m_saveRequests.size(), 2u);
    const CDialogService::SFileDialog& save = m_dialogs.m_saveRequests[0].options;
    EXPECT_EQ(save.strFileName, "untitled");
    EXPECT_EQ(save.strDefaultSuffix, "scp");
    EXPECT_EQ(save.filters, QStringList({"Script Files (*.scp)", "All Files (*.*)"}));
    EXPECT_EQ(m_dialogs.m_saveRequests[1].options.strFileName, "a.b");
    EXPECT_EQ(m_dialogs.m_saveRequests[1].options.strDefaultSuffix, "log");
    EXPECT_EQ(ReadAll(Path("a.b.scp")), "A0B0\r\n\r\n\r\n");
    EXPECT_EQ(ReadAll(Path("a.b.log")), ";9000;12\r\n");

    WriteFile(Path("other.scp"), "A0\r\n\r\nB0");
    m_dialogs.m_openAnswers = {Path("other.scp")};
    page.OnOpen();
    EXPECT_EQ(Column(2), "A0||B0");
    EXPECT_EQ(Column(3), "||");
    EXPECT_EQ(page.PathName(), Path("other.scp"));
    EXPECT_EQ(page.FileTitle(), "other");
    EXPECT_EQ(m_dialogs.m_messages.size(), 1u);
}

TEST_F(ScriptPage, FailedOpenSaveAndExportLoseNothing) {
    CScriptPage& page = StartOnScriptPage();
    const QByteArray script = QByteArray("A0B0000010\r\n").repeated(1000);
    Load(script);
    Model().SetCellText(0, 2, "B0");
    const auto expectUnchanged = [&] {
        EXPECT_EQ(Model().RowCount(), 1000);
        EXPECT_EQ(Model().CellText(0, 2), "B0");
        EXPECT_EQ(page.PathName(), Path("loaded.scp"));
    };

    m_dialogs.m_openAnswers = {Path("missing.scp")};
    page.OnOpen();
    m_dialogs.m_saveAnswers = {Path("gone/a.log")};
    page.OnExport();
    ASSERT_EQ(m_dialogs.m_messages.size(), 2u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + Path("missing.scp"));
    EXPECT_EQ(m_dialogs.m_messages[1].strText, "Could not open " + Path("gone/a.log"));
    expectUnchanged();

    // A disk that fills up part way (here a file size limit) keeps the file as it was.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    page.OnSave();
    setrlimit(RLIMIT_FSIZE, &previous);
    ASSERT_EQ(m_dialogs.m_messages.size(), 3u);
    EXPECT_EQ(m_dialogs.m_messages[2].strText, "Could not open " + Path("loaded.scp"));
    EXPECT_EQ(ReadAll(Path("loaded.scp")), script);
    expectUnchanged();
}

TEST_F(ScriptPage, EditingKeysActOnlyWhileTheListHasTheFocus) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\nB0\r\nC0\r\nD0\r\n");
    Model().SetCellText(0, 1, "*");
    Select({0, 1}, 1);
    QWidget* pPlay = page.GetDlgItem(IDC_PLAY);
    pPlay->setFocus();
    for (const auto key : {Qt::Key_F9, Qt::Key_Delete, Qt::Key_Insert}) QTest::keyClick(pPlay, key);
    QTest::keyClick(pPlay, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(page.IsListFocused());
    EXPECT_EQ(Column(1), "*|||");
    EXPECT_EQ(Column(2), "A0|B0|C0|D0");

    List().setFocus();
    EXPECT_TRUE(page.IsListFocused());
    QTest::keyClick(&List(), Qt::Key_F9);  // each row's mark swaps on its own
    EXPECT_EQ(Column(1), "|*||");
    QTest::keyClick(&List(), Qt::Key_C, Qt::ControlModifier);
    Select({3}, 3);
    QTest::keyClick(&List(), Qt::Key_V, Qt::ControlModifier);  // only the first fits
    EXPECT_EQ(Column(2), "A0|B0|C0|A0");
    QTest::keyClick(&List(), Qt::Key_Delete);
    Select({1}, 1);
    QTest::keyClick(&List(), Qt::Key_Insert);
    EXPECT_EQ(Column(0), "1|2|3|4");
    EXPECT_EQ(Column(2), "A0||B0|C0");
    QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(List().Selection().aRows, std::vector<int>({0, 1, 2, 3}));
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Model().RowCount(), 0);
    EXPECT_TRUE(List().EmptyTextArmed());
}

TEST_F(ScriptPage, EnterAndDoubleClickEditOnlyOneSelectedRowKeepingItsResults) {
    StartOnScriptPage();
    Load("A0\r\nB0\r\n");
    Model().SetCellTexts(0, 3, {"9000", "12"});
    List().setFocus();
    AnswerDialogs({"a0b"});
    Select({0, 1}, 1);
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_TRUE(m_dialogs.m_modals.empty());
    Select({0}, 0);
    QTest::keyClick(&List(), Qt::Key_Return);
    ASSERT_EQ(m_dialogs.m_modals.size(), 1u);
    EXPECT_EQ(m_dialogs.m_modals[0].strTitle, "Edit Command");
    EXPECT_EQ(Column(2), "A0B|B0");  // upper case, odd length taken as typed
    EXPECT_EQ(Column(3), "9000|");

    const QPoint row1 = List().visualRect(Model().index(1, 2)).center();
    QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, row1);
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, row1);
    EXPECT_EQ(m_dialogs.m_modals.size(), 2u);
    EXPECT_EQ(Column(2), "A0B|A0B");
}

TEST_F(ScriptPage, PropertiesGrowAndShrinkTheScriptFromTheEnd) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\n\r\nB0\r\n\r\n\r\n\r\n\r\n\r\nC0\r\n");
    AnswerDialogs({"", "10"});  // an empty field is refused with a warning
    page.OnProperties();
    EXPECT_EQ(m_dialogs.m_modals[0].texts.mid(0, 4),
              QStringList({"Empty Items:", "6", "Total Items:", "9"}));
    EXPECT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(Column(0), "01|02|03|04|05|06|07|08|09|10");
    AnswerDialogs({"2"});
    page.OnProperties();
    EXPECT_EQ(Column(2), "A0|");
    EXPECT_EQ(Column(0), "1|2");
}

TEST_F(ScriptPage, ContextMenusShowPromptsAndHandTheStatusLineBack) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0\r\n");
    CMainDlg& dlg = *m_pMainDlg;
    QString prompt;
    bool bEditBold = false;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        bEditBold = menu.defaultAction() == menu.actions().constFirst();
        FindAction(menu, "&Copy\tCtrl+C")->hover();
        prompt = dlg.PaneText();
        return nullptr;
    };
    Select({0}, 0);
    page.OnContextMenu(QPoint(5, 5));
    EXPECT_TRUE(bEditBold);
    EXPECT_EQ(prompt, "Copy all selected items");
    EXPECT_EQ(dlg.PaneText(), "No connection !");

    Select({}, -1);
    ChooseMenuItem("&Properties...");
    page.OnContextMenu(QPoint(5, 5));
    EXPECT_EQ(m_dialogs.m_menuTexts.back(),
              QStringList({"&New...", "&Open...", "&Save", "&Export...", "", "&Properties..."}));
    EXPECT_EQ(m_dialogs.m_modals.back().strTitle, "Properties");
}

TEST_F(ScriptPage, AScriptOnTheCommandLineOpensOnTheScriptPage) {
    WriteFile(Path("start.scp"), "A0\r\nB0\r\n");
    for (const char* name : {"start.scp", "missing.scp"}) {
        m_pMainDlg = std::make_unique<CMainDlg>();
        m_pMainDlg->SetStartScript(Path(name));
        m_pMainDlg->Create();
        const bool bFound = std::string(name) == "start.scp";
        ExpectPage(*m_pMainDlg, bFound ? 3 : 0, bFound ? "Script" : "Settings");
        EXPECT_EQ(Column(2), bFound ? "A0|B0" : "");
        EXPECT_EQ(Page().FileTitle(), bFound ? "start" : "untitled");
    }
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + Path("missing.scp"));
    // The first window kept its list's column widths when it went.
    EXPECT_EQ(CProfile::GetBinary("ListCtrls", "1048").size(), 4 + 4 * 5);
}

}  // namespace
