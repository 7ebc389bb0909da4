// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"
#include "PageFixture.h"
#include "ResourceIds.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// The File page's wiring: path box, Enter, properties, mode controls, history, read and
// update fields. The rules behind them are tested in FilePageLogicTest.
namespace {

using FilePage = CPageFixture;

// '+' or '-' for each control of reading and updating, shown or hidden: offset and length
// with their captions, record number, caption and range, then read, update, data, its
// caption and the status word.
QString Shown(const CFilePage& page) {
    QString shown;
    for (int nId : {IDC_OFFSET, IDC_OFFSET_CAPTION, IDC_LENGTH, IDC_LENGTH_CAPTION,
                    IDC_RECORD_NUMBER, IDC_RECORD_CAPTION, IDC_RECORD_RANGE, IDC_READ, IDC_UPDATE,
                    IDC_FILE_DATA, IDC_FILE_DATA_CAPTION, IDC_FILE_STATUS_WORD})
        shown += page.GetDlgItem(nId)->isHidden() ? '-' : '+';
    return shown;
}

TEST_F(FilePage, EnterInThePathBoxSelectsShowsTheDescriptionAndKeepsTheHistory) {
    CFilePage& page = StartOnFilePage();
    EXPECT_EQ(Shown(page), "------------");
    EXPECT_TRUE(page.GetDlgItem(IDC_GO)->isHidden());
    QLineEdit* pEdit = page.PathCombo()->lineEdit();
    pEdit->setFocus();
    QTest::keyClicks(pEdit, "3F00");
    page.PropertiesBox()->setFocus();
    const int before = TraceCount();
    QTest::keyClick(page.PropertiesBox(), Qt::Key_Return);
    QTest::keyClick(&page, Qt::Key_Enter);
    EXPECT_EQ(TraceCount(), before);  // Enter outside the path box selects nothing
    pEdit->setFocus();
    QTest::keyClick(pEdit, Qt::Key_Enter, Qt::KeypadModifier);
    // The wording is the logic's; here that it shows, one line per line.
    EXPECT_TRUE(page.PropertiesBox()->toPlainText().startsWith("ID:   3F00\nType: MF\n"));
    EXPECT_TRUE(m_pMainDlg->isVisible());  // Enter went no further than the page

    EnterPath("3F00\\7F10\\6F3A");
    EXPECT_EQ(Shown(page), "----++++++++");
    EXPECT_EQ(LabelText(IDC_RECORD_RANGE), "( 01-0A )");
    EnterPath("\\3F00\\7F20\\6F07\\");
    EXPECT_EQ(PathText(), "3F00\\7F20\\6F07");
    EXPECT_EQ(Shown(page), "++++---+++++");

    // A refused path: its text shows, the controls hide, the history stays.
    EnterPath("3F0\\2FE2");
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), "Invalid file path");
    EXPECT_EQ(Shown(page), "------------");
    const QStringList history = History();
    EXPECT_EQ(history, QStringList({"3F00", "3F00\\7F10\\6F3A", "3F00\\7F20\\6F07"}));

    // The history is kept, sorted, for the next start; the path box starts empty.
    DestroyMainWindow();
    delete g_pCardReader;
    g_pCardReader = new CCardReader();
    StartOnFilePage();
    EXPECT_EQ(History(), history);
    EXPECT_EQ(PathText(), "");
}

// On a card whose READ BINARY answers 256 bytes, whatever was asked for.
TEST_F(FilePage, ReadAndUpdateTakeTheFieldsAndShowTheWholeAnswerOrNone) {
    StartOnFilePage();
    ASSERT_TRUE(m_pcscd.SwapCard({"--misbehave", "258:B0"}));
    m_pMainDlg->OnCardReconnect();
    ASSERT_EQ(Exchange("A02000010831323334FFFFFFFF"), "9000");  // VERIFY CHV1
    EnterPath("3F00\\7F20\\6F7B");
    Type(IDC_OFFSET, "3");
    Type(IDC_LENGTH, "3");
    Type(IDC_FILE_DATA, "12f345");
    int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1),
              QStringList({"Header=A0D6000303", "DataIn=12F345", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_OFFSET)->text() + "|" + Edit(IDC_LENGTH)->text(), "0003|03");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text().mid(504), "FCFDFEFF");  // all 256 bytes

    EnterPath("3F00\\7F10\\6F3A");
    Type(IDC_RECORD_NUMBER, "3");
    before = TraceCount();
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(before).value(1), "Header=A0B203041C");
    EXPECT_EQ(Edit(IDC_RECORD_NUMBER)->text(), "03");

    // pcsc-lite leaves the answer buffer unwritten when the service is gone: nothing of it
    // shows, and nothing of the last read is sent back by an update.
    ASSERT_TRUE(m_pcscd.StopDaemon());
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text() + "|" + LabelText(IDC_FILE_STATUS_WORD), "|SW=");
    before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1), QStringList({"Header=A0DC03041C", "SW="}));
}

}  // namespace
