#include "CardReader.h"
#include "PageFixture.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <QTest>

namespace {

using FilePageReadUpdate = CPageFixture;

const char* const kVerifyChv1 = "A02000010831323334FFFFFFFF";

TEST_F(FilePageReadUpdate, ReadBinaryShowsTheDataThePaddedFieldsAndTheStatusWord) {
    StartOnFilePage();
    EnterPath("3F00\\2FE2");
    Type(IDC_OFFSET, "2");
    Type(IDC_LENGTH, "3");
    const int before = TraceCount();
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(before).mid(1),
              QStringList({"Header=A0B0000203", "DataOut=010100", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "010100");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
    EXPECT_EQ(Edit(IDC_OFFSET)->text() + "|" + Edit(IDC_LENGTH)->text(), "0002|03");
    // The label keeps its text across a new selection.
    EnterPath("3F00");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
}

TEST_F(FilePageReadUpdate, ReadRecordNeedsChv1AndReadsTheTypedRecord) {
    StartOnFilePage();
    EnterPath("3F00\\7F10\\6F3A");
    Type(IDC_RECORD_NUMBER, "1");
    Click(IDC_READ);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9804");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "");

    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    Type(IDC_RECORD_NUMBER, "2");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_RECORD_NUMBER)->text(), "02");
    // "Bob Fictional", FF, then the number.
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(),
              "426F622046696374696F6E616CFF0581550501F1FFFFFFFFFFFFFFFF");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
}

TEST_F(FilePageReadUpdate, UpdateThenReadGivesBackTheDataOfATransparentAndALinearFixedFile) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F20\\6F7B");
    Type(IDC_OFFSET, "3");
    Type(IDC_LENGTH, "3");
    Type(IDC_FILE_DATA, "12f345");
    const int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1),
              QStringList({"Header=A0D6000303", "DataIn=12F345", "SW=9000"}));
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
    Type(IDC_FILE_DATA, "");
    Type(IDC_OFFSET, "");
    Type(IDC_LENGTH, "7");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "FFFFFF12F345FF");

    EnterPath("3F00\\7F10\\6F3A");
    const QString record = "43617264205465737420" + QString(36, QLatin1Char('F'));  // 28 bytes
    Type(IDC_RECORD_NUMBER, "3");
    Type(IDC_FILE_DATA, record);
    Click(IDC_UPDATE);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
    Type(IDC_FILE_DATA, "");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), record);
    Type(IDC_RECORD_NUMBER, "4");  // its neighbour is untouched
    Click(IDC_READ);
    EXPECT_TRUE(Edit(IDC_FILE_DATA)->text().startsWith("5365727669636520446573"));  // "Service Des"
}

TEST_F(FilePageReadUpdate, UpdateRefusedByTheAccessConditionShowsTheCardsStatusWord) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F20\\6F07");
    Type(IDC_LENGTH, "9");
    Type(IDC_FILE_DATA, "089910101032547698");
    Click(IDC_UPDATE);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9804");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "089910101032547698");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "080910101032547698");
}

TEST_F(FilePageReadUpdate, ReaderErrorLeavesTheLabelBare) {
    StartOnFilePage();
    EnterPath("3F00\\2FE2");
    Type(IDC_LENGTH, "A");
    Type(IDC_FILE_DATA, "1234");
    m_pMainDlg->OnCardDisconnect();
    const int before = TraceCount();
    Click(IDC_READ);
    EXPECT_GT(TraceCount(), before);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "");
}

}  // namespace
