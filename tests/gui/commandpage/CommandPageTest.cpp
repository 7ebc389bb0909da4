#include "CardReader.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "PageFixture.h"
#include "ResourceIds.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The Command page's wiring: presets combo, fields, mode, Send and Enter, recent list and
// its file. The rules behind them are tested in CommandPageLogicTest.
namespace {

using CommandPage = CPageFixture;

TEST_F(CommandPage, OpensWithThePresetsAndRecentListOfTheFileAndWritesNothingBack) {
    CCommandPage& page = StartOnCommandPage();
    ASSERT_EQ(page.ClaInsCombo()->count(), 4);  // the short fifth preset is not one
    EXPECT_EQ(page.ClaInsCombo()->itemText(0), "A020<VERIFY CHV1>");
    EXPECT_EQ(ClaInsText(), "");
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016"}));
    EXPECT_FALSE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_FALSE(Radio(IDC_MODE_OUT)->isChecked());
    auto* pSend = static_cast<QPushButton*>(page.GetDlgItem(IDC_SEND));
    EXPECT_TRUE(pSend->isDefault());
    EXPECT_EQ(pSend->toolTip(), "Transmit APDU command to the card");
    DestroyMainWindow();
    EXPECT_EQ(ReadIni(), kIni);  // an unchanged list is not written back
}

TEST_F(CommandPage, TypedInstructionCompletesAndEnterSendsFromEachField) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    CHexEdit* pClaIns = page.ClaInsCombo()->HexEdit();
    pClaIns->setFocus();
    QTest::keyClicks(pClaIns, "a0a4");
    EXPECT_EQ(ClaInsText(), "A0A4<SELECT>");
    EXPECT_EQ(Edit(IDC_P3)->text(), "02");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());

    Type(IDC_COMMAND_DATA, "7f10");
    const int before = TraceCount();
    QTest::keyClick(Edit(IDC_COMMAND_DATA), Qt::Key_Return);
    EXPECT_EQ(TraceLines(before).mid(1), QStringList({"Header=A0A4000002", "DataIn=7F10",
                                                      "SW=" + Edit(IDC_STATUS_WORD)->text()}));
    EXPECT_TRUE(Edit(IDC_STATUS_WORD)->text().startsWith("9F"));
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");  // the answer replaces the data sent
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016", "A0A4<SELECT>0000027F10"}));
    EXPECT_TRUE(m_pMainDlg->isVisible());  // Enter sent and did nothing else

    const int second = TraceCount();
    pClaIns->setFocus();
    QTest::keyClick(pClaIns, Qt::Key_Return);
    page.RecentList()->setFocus();
    QTest::keyClick(page.RecentList(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(TraceCount(), second + 6);  // two sends without data
}

TEST_F(CommandPage, ChoosingAPresetFillsTheHeaderAndKeepsTheTypedData) {
    CCommandPage& page = StartOnCommandPage();
    Type(IDC_COMMAND_DATA, "31323334");
    Radio(IDC_MODE_OUT)->setChecked(true);
    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClick(page.ClaInsCombo()->HexEdit(), Qt::Key_Down);  // the first preset
    EXPECT_EQ(ClaInsText(), "A020<VERIFY CHV1>");
    EXPECT_EQ(Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "0108");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "31323334");
}

TEST_F(CommandPage, RecentListIsSavedAtCloseAndReadAfterARestart) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    page.ClaInsCombo()->setEditText(QStringLiteral("00A0"));
    Edit(IDC_P3)->setText(QStringLiteral("01"));
    page.OnSend();
    EXPECT_EQ(ReadIni(), kIni);  // nothing is written while the program runs
    DestroyMainWindow();
    EXPECT_TRUE(ReadIni().contains("LastCmd2=00A0000001\r\n"));
    StartOnCommandPage();
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016", "00A0000001"}));
}

TEST_F(CommandPage, ChoosingARecentEntryFillsEveryFieldAndShowsItsPreset) {
    WriteIni(kIni + "LastCmd2=A0A4<SELECT>0000023F00\r\nLastCmd3=00C0010203\r\n");
    CCommandPage& page = StartOnCommandPage();
    QListWidget* pList = page.RecentList();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(1)).center());
    EXPECT_EQ(ClaInsText(), "A0A4<SELECT>");
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), 1);
    EXPECT_EQ(Edit(IDC_P1)->text() + Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "000002");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "3F00");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());

    QTest::keyClick(pList, Qt::Key_Down);  // no preset begins with 00C0
    EXPECT_EQ(ClaInsText(), "00C0");
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), -1);
    EXPECT_TRUE(Radio(IDC_MODE_OUT)->isChecked());
}

TEST_F(CommandPage, DeleteRemovesARecentEntryOnlyWhileTheListHasTheFocus) {
    WriteIni(kIni + "LastCmd2=A0B0000002\r\nLastCmd3=A0B0000003\r\n");
    CCommandPage& page = StartOnCommandPage();
    QListWidget* pList = page.RecentList();
    pList->setFocus();
    pList->setCurrentRow(0);
    EXPECT_EQ(Edit(IDC_P3)->text(), "16");

    Edit(IDC_P3)->setFocus();  // Delete in a field edits the field
    EXPECT_FALSE(page.IsRecentListFocused());
    Edit(IDC_P3)->setCursorPosition(0);
    QTest::keyClick(Edit(IDC_P3), Qt::Key_Delete);
    EXPECT_EQ(Edit(IDC_P3)->text(), "6");
    EXPECT_EQ(RecentEntries().size(), 3);

    pList->setFocus();
    EXPECT_TRUE(page.IsRecentListFocused());
    QTest::keyClick(pList, Qt::Key_Delete);
    EXPECT_EQ(RecentEntries(), QStringList({"A0B0000002", "A0B0000003"}));
    // The next entry moved into the place and is selected; the fields are left alone.
    ASSERT_EQ(pList->selectedItems().size(), 1);
    EXPECT_EQ(pList->selectedItems().first()->text(), "A0B0000002");
    EXPECT_EQ(Edit(IDC_P3)->text(), "6");
}

}  // namespace
