#include "CardReader.h"
#include "PageFixture.h"
#include "ResourceIds.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <initializer_list>
#include <string>

// The File page's wiring: path box, Enter, properties, mode controls, history, read and
// update fields. The rules behind them are tested in FilePageLogicTest.
namespace {

using FilePage = CPageFixture;

// Which rows of read and update controls show: offset, record, read and update; '+' for
// shown, '-' for hidden, '?' when the controls of a row disagree.
std::string Shown(const CFilePage& page) {
    const auto row = [&page](std::initializer_list<int> ids) {
        std::size_t shown = 0;
        for (int nId : ids) shown += page.GetDlgItem(nId)->isHidden() ? 0 : 1;
        return shown == 0 ? '-' : shown == ids.size() ? '+' : '?';
    };
    return {row({IDC_OFFSET, IDC_OFFSET_CAPTION, IDC_LENGTH, IDC_LENGTH_CAPTION}),
            row({IDC_RECORD_NUMBER, IDC_RECORD_CAPTION, IDC_RECORD_RANGE}),
            row({IDC_READ, IDC_UPDATE, IDC_FILE_DATA, IDC_FILE_DATA_CAPTION, IDC_FILE_STATUS_WORD})};
}

TEST_F(FilePage, EnterSelectsTheTypedPathShowsItsDescriptionAndKeepsItInTheHistory) {
    CFilePage& page = StartOnFilePage();
    EXPECT_EQ(Shown(page), "---");
    EXPECT_TRUE(page.GetDlgItem(IDC_GO)->isHidden());
    const int before = TraceCount();
    EnterPath("\\3F00\\7F20\\6F07\\");
    EXPECT_EQ(TraceLines(before).filter(QRegularExpression("^(DataIn|Header=A0C0)")),
              QStringList({"DataIn=3F00", "DataIn=7F20", "DataIn=6F07", "Header=A0C000000F"}));
    // The wording is FileDescriptionTest's; here that it shows, one line per line.
    EXPECT_TRUE(page.PropertiesBox()->toPlainText().startsWith("ID:   6F07\nType: EF\n"));
    EXPECT_EQ(PathText(), "3F00\\7F20\\6F07");
    EXPECT_EQ(History(), QStringList({"3F00\\7F20\\6F07"}));
    EXPECT_EQ(Shown(page), "+-+");
    EXPECT_TRUE(m_pMainDlg->isVisible());  // Enter went no further than the page

    EnterPath("3F00\\7F10\\6F3A");
    EXPECT_EQ(Shown(page), "-++");
    EXPECT_EQ(LabelText(IDC_RECORD_RANGE), "( 01-0A )");

    // A refused path: its text shows, the controls hide, the history stays.
    EnterPath("3F0\\2FE2");
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), "Invalid file path");
    EXPECT_EQ(Shown(page), "---");
    EXPECT_EQ(History(), QStringList({"3F00\\7F20\\6F07", "3F00\\7F10\\6F3A"}));
}

TEST_F(FilePage, EnterSelectsOnlyWhileThePathBoxHasTheFocus) {
    CFilePage& page = StartOnFilePage();
    QLineEdit* pEdit = page.PathCombo()->lineEdit();
    pEdit->setFocus();
    QTest::keyClicks(pEdit, "3F00");
    EXPECT_TRUE(page.HasPathFocus());
    page.PropertiesBox()->setFocus();
    EXPECT_FALSE(page.HasPathFocus());
    const int before = TraceCount();
    QTest::keyClick(page.PropertiesBox(), Qt::Key_Return);
    QTest::keyClick(&page, Qt::Key_Enter);
    EXPECT_EQ(TraceCount(), before);

    pEdit->setFocus();
    QTest::keyClick(pEdit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(page.PropertiesBox()->toPlainText().startsWith("ID:   3F00\nType: MF\n"));
}

TEST_F(FilePage, ReadAndUpdateTakeTheFieldsAndShowTheAnswer) {
    StartOnFilePage();
    ASSERT_EQ(Exchange("A02000010831323334FFFFFFFF"), "9000");  // VERIFY CHV1
    EnterPath("3F00\\7F20\\6F7B");
    Type(IDC_OFFSET, "3");
    Type(IDC_LENGTH, "3");
    Type(IDC_FILE_DATA, "12f345");
    const int before = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(before).mid(1),
              QStringList({"Header=A0D6000303", "DataIn=12F345", "SW=9000"}));
    EXPECT_EQ(Edit(IDC_OFFSET)->text() + "|" + Edit(IDC_LENGTH)->text(), "0003|03");
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
    Type(IDC_FILE_DATA, "");
    Click(IDC_READ);
    EXPECT_EQ(Edit(IDC_RECORD_NUMBER)->text(), "03");
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), record);
}

TEST_F(FilePage, HistorySurvivesARestart) {
    StartOnFilePage();
    EnterPath("3F00\\7F10");
    EnterPath("3F00\\2FE2");
    DestroyMainWindow();
    delete g_pCardReader;
    g_pCardReader = new CCardReader();

    StartOnFilePage();
    EXPECT_EQ(History(), QStringList({"3F00\\2FE2", "3F00\\7F10"}));
    EXPECT_EQ(PathText(), "");
}

}  // namespace
