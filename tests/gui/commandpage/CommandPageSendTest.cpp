#include "CardReader.h"
#include "PageFixture.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using CommandPage = CPageFixture;

TEST_F(CommandPage, OpensWithThePresetsAndRecentListOfTheFileAndNoMode) {
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
    const QStringList lines = TraceLines(before);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.mid(1), QStringList({"Header=A0A4000002", "DataIn=7F10",
                                         "SW=" + Edit(IDC_STATUS_WORD)->text()}));
    EXPECT_TRUE(Edit(IDC_STATUS_WORD)->text().startsWith("9F"));
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");  // the answer replaces the data sent
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016", "A0A4<SELECT>0000027F10"}));
    EXPECT_TRUE(m_pMainDlg->isVisible());  // Enter sent and did nothing else

    // The header goes as it stands, not as the preset has it.
    Type(IDC_P3, "05");
    pClaIns->setFocus();
    const int second = TraceCount();
    QTest::keyClick(pClaIns, Qt::Key_Return);
    ASSERT_EQ(TraceCount(), second + 3);  // no data this time
    EXPECT_EQ(TraceLines(second)[1], "Header=A0A4000005");
    page.RecentList()->setFocus();
    QTest::keyClick(page.RecentList(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(TraceCount(), second + 6);
}

TEST_F(CommandPage, OutModeShowsTheCardsAnswerInTheDataField) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    std::string response;
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000022FE2", response), SCARD_S_SUCCESS);
    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0B0");
    EXPECT_TRUE(Radio(IDC_MODE_OUT)->isChecked());
    Type(IDC_P3, "5");
    Type(IDC_COMMAND_DATA, "1234");
    const int before = TraceCount();
    QTest::mouseClick(page.GetDlgItem(IDC_SEND), Qt::LeftButton);
    EXPECT_EQ(TraceLines(before).mid(1),
              QStringList({"Header=A0B0000005", "DataOut=9800010100", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_P3)->text(), "05");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "9800010100");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "9000");
    EXPECT_EQ(RecentEntries().back(), "A0B0<READ BINARY>000005");
}

TEST_F(CommandPage, FailedExchangeClearsTheAnswerAndChangesNeitherListNorFile) {
    CCommandPage& page = StartOnCommandPage();  // not connected
    page.ClaInsCombo()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0F2");
    Type(IDC_COMMAND_DATA, "AB");
    Type(IDC_STATUS_WORD, "9000");
    const int before = TraceCount();
    QTest::keyClick(Edit(IDC_P1), Qt::Key_Return);
    EXPECT_GT(TraceCount(), before);
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text() + Edit(IDC_STATUS_WORD)->text(), "");
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016"}));
    DestroyMainWindow();
    EXPECT_EQ(ReadIni(), kIni);  // an unchanged list is not written back
}

TEST_F(CommandPage, ChoosingAPresetFillsTheHeaderAndKeepsTheTypedData) {
    CCommandPage& page = StartOnCommandPage();
    Type(IDC_COMMAND_DATA, "31323334");
    Type(IDC_STATUS_WORD, "6B00");
    Radio(IDC_MODE_OUT)->setChecked(true);
    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClick(page.ClaInsCombo()->HexEdit(), Qt::Key_Down);  // the first preset
    EXPECT_EQ(ClaInsText(), "A020<VERIFY CHV1>");
    EXPECT_EQ(Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "0108");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text() + Edit(IDC_STATUS_WORD)->text(), "313233346B00");
}

}  // namespace
