#include "CardReader.h"
#include "FilePageFixture.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <QTest>

namespace {

using FilePageReadUpdate = CFilePageFixture;

const QString kRule(60, QLatin1Char('-'));
const char* const kVerifyChv1 =
    "A020000108"
    "31323334FFFFFFFF";

TEST_F(FilePageReadUpdate, ReadBinaryPadsOffsetAndLengthAndShowsTheStatusWord) {
    CFilePage& page = StartOnFilePage();
    EnterPath("3F00\\2FE2");
    Type(IDC_OFFSET, "2");
    Type(IDC_LENGTH, "3");
    int before = TraceCount();
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(before),
              QStringList({kRule, "Header=A0B0000203", "DataOut=010100", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "010100");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
    EXPECT_EQ(Edit(IDC_OFFSET)->text(), "0002");
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "03");

    // An empty length is sent as 00; the card's refusal is shown as it comes.
    Type(IDC_LENGTH, "");
    before = TraceCount();
    Click(IDC_READ);
    const QStringList lines = TraceLines(before);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "Header=A0B0000200");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), lines[2]);
    EXPECT_NE(lines[2], "SW=9000");
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "00");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "");
    // The label keeps its text across a new selection.
    EnterPath("3F00");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), lines[2]);
    (void)page;
}

TEST_F(FilePageReadUpdate, ReadRecordNeedsChv1AndReadsTheTypedRecord) {
    StartOnFilePage();
    EnterPath("3F00\\7F10\\6F3A");
    EXPECT_EQ(LabelText(IDC_RECORD_RANGE), "( 01-0A )");
    Type(IDC_RECORD_NUMBER, "1");
    Click(IDC_READ);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9804");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "");

    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    Type(IDC_RECORD_NUMBER, "2");
    const int before = TraceCount();
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(before).mid(1, 1), QStringList({"Header=A0B202041C"}));
    EXPECT_EQ(Edit(IDC_RECORD_NUMBER)->text(), "02");
    // "Bob Fictional", FF, then the number.
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(),
              "426F622046696374696F6E616CFF0581550501F1FFFFFFFFFFFFFFFF");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
}

TEST_F(FilePageReadUpdate, UpdateBinaryThenReadGivesBackTheData) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F20\\6F7B");
    Type(IDC_OFFSET, "3");
    Type(IDC_LENGTH, "3");
    Type(IDC_FILE_DATA, "12f345");
    int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before),
              QStringList({kRule, "Header=A0D6000303", "DataIn=12F345", "SW=9000"}));
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "12F345");

    Type(IDC_FILE_DATA, "");
    Type(IDC_OFFSET, "");
    Type(IDC_LENGTH, "7");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "FFFFFF12F345FF");
    EXPECT_EQ(Edit(IDC_OFFSET)->text(), "0000");
}

TEST_F(FilePageReadUpdate, UpdateRecordOfALinearFixedFileThenRead) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F10\\6F3A");
    const QString record = "43617264205465737420" + QString(36, QLatin1Char('F'));  // 28 bytes
    Type(IDC_RECORD_NUMBER, "3");
    Type(IDC_FILE_DATA, record);
    const int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1, 2), QStringList({"Header=A0DC03041C", "DataIn=" + record}));
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");

    Type(IDC_FILE_DATA, "");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), record);
    // Its neighbour is untouched.
    Type(IDC_RECORD_NUMBER, "4");
    Click(IDC_READ);
    EXPECT_TRUE(Edit(IDC_FILE_DATA)->text().startsWith("5365727669636520446573"));  // "Service Des"
}

TEST_F(FilePageReadUpdate, UpdateOfACyclicFileWritesTheOldestRecordWhicheverNumberIsTyped) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F10\\6F44");
    Type(IDC_RECORD_NUMBER, "1");
    Click(IDC_READ);
    const QString oldFirst = Edit(IDC_FILE_DATA)->text();
    ASSERT_EQ(oldFirst.size(), 56);

    const QString record = "0581550599F9" + QString(44, QLatin1Char('F'));
    Type(IDC_RECORD_NUMBER, "5");
    Type(IDC_FILE_DATA, record);
    const int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1, 1), QStringList({"Header=A0DC05031C"}));
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9000");

    Type(IDC_RECORD_NUMBER, "1");
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(TraceCount() - 3).mid(0, 1), QStringList({"Header=A0B201041C"}));
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), record);
    Type(IDC_RECORD_NUMBER, "2");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), oldFirst);
}

TEST_F(FilePageReadUpdate, UpdateRefusedByTheAccessConditionShowsTheCardsStatusWord) {
    StartOnFilePage();
    ASSERT_EQ(Exchange(kVerifyChv1), "9000");
    EnterPath("3F00\\7F20\\6F07");
    Type(IDC_LENGTH, "9");
    Click(IDC_READ);
    const QString imsi = Edit(IDC_FILE_DATA)->text();
    EXPECT_EQ(imsi, "080910101032547698");

    Type(IDC_FILE_DATA, "089910101032547698");
    Click(IDC_UPDATE);
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=9804");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "089910101032547698");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), imsi);
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
