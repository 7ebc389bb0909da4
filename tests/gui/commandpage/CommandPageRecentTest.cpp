#include "PageFixture.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace {

using CommandPageRecent = CPageFixture;

QByteArray IniWithRecent(const QByteArray& capacity, const QByteArray& entries) {
    return "[Command]\r\n"
           "CommandNb=2\r\n"
           "Command1=A0B0<READ BINARY><00><00><0A><OUT>\r\n"
           "Command2=A0A4<SELECT><00><00><02><IN>\r\n"
           "[LastCmd]\r\n"
           "; kept by the program\r\n" +
           capacity + entries;
}

// Sends a command whose CLA+INS matches no preset, so the entry is exactly what was typed.
void SendPlain(CCommandPage& page, const QString& strP3) {
    page.ClaInsCombo()->setEditText(QStringLiteral("00A0"));
    static_cast<QLineEdit*>(page.GetDlgItem(IDC_P3))->setText(strP3);
    page.OnSend();
}

TEST_F(CommandPageRecent, ListIsSavedInPlaceOnlyAtCloseAndReadAfterARestart) {
    const QByteArray ini = IniWithRecent(
        "LastCmdNb=3\r\n", "LastCmd1=00a0000001\r\n; between\r\nLastCmd2=A0F2000016\r\n");
    WriteIni(ini);
    CCommandPage& page = StartOnCommandPage();
    Connect();
    EXPECT_EQ(RecentEntries(), QStringList({"00a0000001", "A0F2000016"}));
    for (const char* p3 : {"01", "02", "03"}) SendPlain(page, p3);
    EXPECT_EQ(RecentEntries(), QStringList({"00A0000001", "00A0000002", "00A0000003"}));
    EXPECT_EQ(ReadIni(), ini);  // nothing is written while the program runs

    DestroyMainWindow();
    EXPECT_EQ(ReadIni(), IniWithRecent("LastCmdNb=3\r\n",
                                       "LastCmd1=00A0000001\r\n; between\r\nLastCmd2=00A0000002\r\n"
                                       "LastCmd3=00A0000003\r\n"));
    StartOnCommandPage();
    EXPECT_EQ(RecentEntries(), QStringList({"00A0000001", "00A0000002", "00A0000003"}));
}

TEST_F(CommandPageRecent, ChoosingAnEntryFillsEveryFieldAndShowsItsPreset) {
    WriteIni(IniWithRecent(
        "LastCmdNb=5\r\n",
        "LastCmd1=A0A4<SELECT>0000023F00\r\nLastCmd2=A0B0000004\r\nLastCmd3=00C0010203\r\n"));
    CCommandPage& page = StartOnCommandPage();
    QListWidget* pList = page.RecentList();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(0)).center());
    EXPECT_EQ(ClaInsText(), "A0A4<SELECT>");
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), 0);
    EXPECT_EQ(Edit(IDC_P1)->text() + Edit(IDC_P2)->text() + Edit(IDC_P3)->text(), "000002");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "3F00");
    EXPECT_TRUE(Radio(IDC_MODE_IN)->isChecked());

    // The box shows the preset that begins with A0B0, but the header stays the entry's.
    QTest::keyClick(pList, Qt::Key_Down);
    EXPECT_EQ(ClaInsText(), "A0B0<READ BINARY>");
    EXPECT_EQ(Edit(IDC_P3)->text(), "04");
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");
    EXPECT_TRUE(Radio(IDC_MODE_OUT)->isChecked());

    QTest::keyClick(pList, Qt::Key_Down);  // no preset begins with 00C0
    EXPECT_EQ(ClaInsText(), "00C0");
    EXPECT_EQ(page.ClaInsCombo()->currentIndex(), -1);
}

TEST_F(CommandPageRecent, DeleteRemovesAnEntryOnlyWhileTheListHasTheFocus) {
    WriteIni(
        IniWithRecent("LastCmdNb=5\r\n",
                      "LastCmd1=A0B0000001\r\nLastCmd2=A0B0000002\r\nLastCmd3=A0B0000003\r\n"));
    CCommandPage& page = StartOnCommandPage();
    QListWidget* pList = page.RecentList();
    pList->setFocus();
    pList->setCurrentRow(0);
    EXPECT_EQ(Edit(IDC_P3)->text(), "01");

    Edit(IDC_P3)->setFocus();  // Delete in a field edits the field
    EXPECT_FALSE(page.IsRecentListFocused());
    Edit(IDC_P3)->setCursorPosition(0);
    QTest::keyClick(Edit(IDC_P3), Qt::Key_Delete);
    EXPECT_EQ(Edit(IDC_P3)->text(), "1");
    EXPECT_EQ(RecentEntries().size(), 3);

    pList->setFocus();
    EXPECT_TRUE(page.IsRecentListFocused());
    QTest::keyClick(pList, Qt::Key_Delete);
    EXPECT_EQ(RecentEntries(), QStringList({"A0B0000002", "A0B0000003"}));
    // The next entry moved into the place and is selected; the fields are left alone.
    ASSERT_EQ(pList->selectedItems().size(), 1);
    EXPECT_EQ(pList->selectedItems().first()->text(), "A0B0000002");
    EXPECT_EQ(Edit(IDC_P3)->text(), "1");
    pList->setCurrentRow(1);
    QTest::keyClick(pList, Qt::Key_Delete);
    EXPECT_TRUE(pList->selectedItems().isEmpty());

    DestroyMainWindow();
    EXPECT_EQ(ReadIni(), IniWithRecent("LastCmdNb=5\r\n",
                                       "LastCmd1=A0B0000002\r\nLastCmd2=\r\nLastCmd3=\r\n"
                                       "LastCmd4=\r\nLastCmd5=\r\n"));
}

}  // namespace
