// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "PageFixture.h"
#include "Profile.h"
#include "ResourceIds.h"

#include <QListWidget>

// The Command page's wiring: presets combo, fields, mode, Send and Enter, recent list and
// its file. The rules behind them are tested in CommandPageLogicTest.
namespace {

using CommandPage = CPageFixture;

// Typing completes a preset; Enter sends; the recent list is saved at exit only.
TEST_F(CommandPage, TypedInstructionCompletesEnterSendsAndTheListOutlivesARestart) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    CHexEdit* pClaIns = page.ClaInsCombo()->HexEdit();
    pClaIns->setFocus();
    QTest::keyClicks(pClaIns, "a0a4");
    EXPECT_EQ(page.ClaInsCombo()->currentText(), "A0A4<SELECT>");
    EXPECT_EQ(Edit(IDC_P3)->text(), "02");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());

    Type(IDC_COMMAND_DATA, "7f10");
    const int before = TraceCount();
    QTest::keyClick(Edit(IDC_COMMAND_DATA), Qt::Key_Return);
    EXPECT_EQ(TraceLines(before).mid(1), QStringList({"Header=A0A4000002", "DataIn=7F10",
                                                      "SW=" + Edit(IDC_STATUS_WORD)->text()}));
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");  // the answer replaces the data sent
    EXPECT_TRUE(m_pMainDlg->isVisible());           // Enter sent and did nothing else

    const QStringList recent = {"A0F2000016", "A0A4<SELECT>0000023F00", "00C0010203",
                                "A0A4<SELECT>0000027F10"};
    EXPECT_EQ(RecentEntries(), recent);
    EXPECT_EQ(ReadIni(), kIni);  // nothing is written while the program runs
    DestroyMainWindow();
    StartOnCommandPage();
    EXPECT_EQ(RecentEntries(), recent);
}

// The presets of the file in the combo; choosing one keeps the typed data, and a list
// that did not change is not written back.
TEST_F(CommandPage, ChoosingAPresetFillsTheHeaderAndKeepsTheTypedData) {
    CCommandPage& page = StartOnCommandPage();
    EXPECT_EQ(Items(page.ClaInsCombo()),
              QStringList({"A020<VERIFY CHV1>", "A0A4<SELECT>", "A0F2<STATUS>"}));
    EXPECT_EQ(page.ClaInsCombo()->currentText(), "");
    Type(IDC_COMMAND_DATA, "31323334");
    Radio(IDC_MODE_OUT)->setChecked(true);
    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClick(page.ClaInsCombo()->HexEdit(), Qt::Key_Down);  // the first preset
    EXPECT_EQ(page.ClaInsCombo()->currentText(), "A020<VERIFY CHV1>");
    EXPECT_EQ(Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "0108");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "31323334");
    DestroyMainWindow();
    EXPECT_EQ(ReadIni(), kIni);
}

// A click or a key fills every field and shows the entry's preset; Delete removes the
// entry only while the list has the focus, and selects the next without filling the fields.
TEST_F(CommandPage, RecentEntriesFillTheFieldsAndDeleteWorksInTheListOnly) {
    CCommandPage& page = StartOnCommandPage();
    QListWidget* pList = page.RecentList();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(1)).center());
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), 1);
    EXPECT_EQ(Edit(IDC_P1)->text() + Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "000002");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "3F00");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());
    QTest::keyClick(pList, Qt::Key_Down);  // no preset begins with 00C0
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), -1);
    EXPECT_EQ(page.ClaInsCombo()->currentText(), "00C0");
    EXPECT_TRUE(Radio(IDC_MODE_OUT)->isChecked());

    QTest::keyClick(pList, Qt::Key_Up);
    Edit(IDC_P3)->setFocus();
    Edit(IDC_P3)->setCursorPosition(0);
    QTest::keyClick(Edit(IDC_P3), Qt::Key_Delete);
    EXPECT_EQ(Edit(IDC_P3)->text(), "2");
    EXPECT_EQ(RecentEntries().size(), 3);
    pList->setFocus();
    QTest::keyClick(pList, Qt::Key_Delete);
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016", "00C0010203"}));
    ASSERT_EQ(pList->selectedItems().size(), 1);
    EXPECT_EQ(pList->selectedItems().first()->text(), "00C0010203");
    EXPECT_EQ(Edit(IDC_P3)->text(), "2");

    // A full disk at exit: one warning per file while the window stands (the profile keeps
    // the settings, the placement and the widths), and none again as it goes.
    const CFileSizeLimit limit(16);
    ASSERT_TRUE(limit.IsActive());
    m_pMainDlg->close();
    std::vector<QString> texts;
    for (const auto& message : m_dialogs.m_messages) texts.push_back(message.strText);
    const QString strSaveFailed = "Could not save the settings in ";
    EXPECT_EQ(texts, (std::vector<QString>{strSaveFailed + CProfile::FileName(),
                                           strSaveFailed + m_iniDir.File("Command.INI").c_str()}));
    DestroyMainWindow();
    EXPECT_EQ(m_dialogs.m_messages.size(), 2u);
    EXPECT_EQ(ReadIni(), kIni);
}

}  // namespace
