#include "CardReader.h"
#include "CommandPageFixture.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using CommandPage = CCommandPageFixture;

const QString kRule(60, QLatin1Char('-'));

TEST_F(CommandPage, OpensWithSortedPresetsTheStoredRecentListAndNoMode) {
    CCommandPage& page = StartOnCommandPage();
    QStringList items;
    for (int i = 0; i < page.ClaInsCombo()->count(); ++i) items << page.ClaInsCombo()->itemText(i);
    // The short fifth preset is not one.
    EXPECT_EQ(items, QStringList({"A020<VERIFY CHV1>", "A0A4<SELECT>", "A0B0<READ BINARY>",
                                  "A0F2<STATUS>"}));
    EXPECT_EQ(ClaInsText(), "");
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016"}));
    EXPECT_FALSE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_FALSE(Radio(IDC_MODE_OUT)->isChecked());
    auto* pSend = static_cast<QPushButton*>(page.GetDlgItem(IDC_SEND));
    EXPECT_EQ(pSend->toolTip(), "Transmit APDU command to the card");
    EXPECT_TRUE(pSend->isDefault());
}

TEST_F(CommandPage, TypedInstructionCompletesFromItsPresetAndEnterSendsItInInMode) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    CHexEdit* pClaIns = page.ClaInsCombo()->HexEdit();
    pClaIns->setFocus();
    QTest::keyClicks(pClaIns, "a0a");
    // Three digits complete nothing.
    EXPECT_EQ(ClaInsText(), "A0A");
    EXPECT_EQ(Edit(IDC_P3)->text(), "");
    QTest::keyClicks(pClaIns, "4");
    EXPECT_EQ(ClaInsText(), "A0A4<SELECT>");
    EXPECT_EQ(Edit(IDC_P1)->text(), "00");
    EXPECT_EQ(Edit(IDC_P2)->text(), "00");
    EXPECT_EQ(Edit(IDC_P3)->text(), "02");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());

    Type(IDC_COMMAND_DATA, "7f10");
    const int before = TraceCount();
    QTest::keyClick(Edit(IDC_COMMAND_DATA), Qt::Key_Return);
    EXPECT_EQ(TraceLines(before), QStringList({kRule, "Header=A0A4000002", "DataIn=7F10",
                                               "SW=" + Edit(IDC_STATUS_WORD)->text()}));
    EXPECT_TRUE(Edit(IDC_STATUS_WORD)->text().startsWith("9F"));
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text().size(), 4);
    // The answer replaces the data that was sent.
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016", "A0A4<SELECT>0000027F10"}));
    // Enter sent and did nothing else.
    EXPECT_TRUE(page.isVisible());
    EXPECT_TRUE(m_pMainDlg->isVisible());

    // Enter in the CLA+INS box and in the recent list sends too, with the header as it
    // stands rather than the preset's.
    Type(IDC_P3, "05");
    pClaIns->setFocus();
    const int second = TraceCount();
    QTest::keyClick(pClaIns, Qt::Key_Return);
    ASSERT_EQ(TraceCount(), second + 3);  // no data this time
    EXPECT_EQ(TraceLines(second)[1], "Header=A0A4000005");
    EXPECT_EQ(Edit(IDC_P3)->text(), "05");
    page.RecentList()->setFocus();
    QTest::keyClick(page.RecentList(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(TraceCount(), second + 6);
    EXPECT_TRUE(page.isVisible());
}

TEST_F(CommandPage, OutModeSendsNoDataPadsTheHeaderAndShowsTheAnswer) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    std::string response;
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000022FE2", response), SCARD_S_SUCCESS);

    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0B0");
    EXPECT_TRUE(Radio(IDC_MODE_OUT)->isChecked());
    Type(IDC_P1, "0");
    Type(IDC_P3, "5");
    Type(IDC_COMMAND_DATA, "1234");
    const int before = TraceCount();
    QTest::mouseClick(page.GetDlgItem(IDC_SEND), Qt::LeftButton);

    EXPECT_EQ(TraceLines(before),
              QStringList({kRule, "Header=A0B0000005", "DataOut=9800010100", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_P1)->text(), "00");
    EXPECT_EQ(Edit(IDC_P3)->text(), "05");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "9800010100");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "9000");
    EXPECT_EQ(RecentEntries().back(), "A0B0<READ BINARY>000005");
}

TEST_F(CommandPage, NeitherModeSendsNoDataAndShowsTheCardsStatusWord) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    page.ClaInsCombo()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0C0");  // no preset for it
    Type(IDC_P3, "7");
    Type(IDC_COMMAND_DATA, "55");
    const int before = TraceCount();
    page.OnSend();
    const QStringList lines = TraceLines(before);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[1], "Header=A0C0000007");
    EXPECT_FALSE(lines.join(' ').contains("DataIn"));
    EXPECT_EQ("SW=" + Edit(IDC_STATUS_WORD)->text(), lines.back());
    EXPECT_EQ(ClaInsText(), "A0C0");
    EXPECT_EQ(RecentEntries().back(), "A0C0000007");
}

TEST_F(CommandPage, FailedExchangeIsTracedClearsTheAnswerAndIsNotRemembered) {
    CCommandPage& page = StartOnCommandPage();
    // No connection.
    page.ClaInsCombo()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0F2");
    Type(IDC_COMMAND_DATA, "AB");
    Type(IDC_STATUS_WORD, "9000");
    const int before = TraceCount();
    QTest::keyClick(Edit(IDC_P1), Qt::Key_Return);
    EXPECT_GT(TraceCount(), before);
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "");
    EXPECT_EQ(RecentEntries(), QStringList({"A0F2000016"}));
}

TEST_F(CommandPage, ChoosingAPresetFillsTheHeaderAndKeepsTheTypedData) {
    CCommandPage& page = StartOnCommandPage();
    Type(IDC_COMMAND_DATA, "31323334");
    Type(IDC_STATUS_WORD, "6B00");
    Radio(IDC_MODE_OUT)->setChecked(true);
    page.ClaInsCombo()->HexEdit()->setFocus();
    // Down in the closed box chooses the first preset.
    QTest::keyClick(page.ClaInsCombo()->HexEdit(), Qt::Key_Down);
    EXPECT_EQ(ClaInsText(), "A020<VERIFY CHV1>");
    EXPECT_EQ(Edit(IDC_P1)->text(), "00");
    EXPECT_EQ(Edit(IDC_P2)->text(), "01");
    EXPECT_EQ(Edit(IDC_P3)->text(), "08");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());
    EXPECT_FALSE(Radio(IDC_MODE_OUT)->isChecked());
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "31323334");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "6B00");
}

}  // namespace
