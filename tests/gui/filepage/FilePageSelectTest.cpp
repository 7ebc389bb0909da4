#include "CardReader.h"
#include "PageFixture.h"
#include "PathCombo.h"
#include "ResourceIds.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <dlfcn.h>

#include <initializer_list>
#include <string>

// A GET RESPONSE that the reader fails, which the virtual card cannot be made to do: this
// definition stands in front of pcsc-lite's and hands every other call on.
namespace {
bool g_bFailGetResponse = false;
}

extern "C" LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci,
                              LPCBYTE pbSendBuffer, DWORD cbSendLength,
                              SCARD_IO_REQUEST* pioRecvPci, LPBYTE pbRecvBuffer,
                              LPDWORD pcbRecvLength) {
    if (g_bFailGetResponse && cbSendLength >= 2 && pbSendBuffer[0] == 0xA0 &&
        pbSendBuffer[1] == 0xC0) {
        *pcbRecvLength = 0;
        return SCARD_E_NOT_TRANSACTED;
    }
    using Transmit = LONG (*)(SCARDHANDLE, const SCARD_IO_REQUEST*, LPCBYTE, DWORD,
                              SCARD_IO_REQUEST*, LPBYTE, LPDWORD);
    static const auto real = reinterpret_cast<Transmit>(dlsym(RTLD_NEXT, "SCardTransmit"));
    return real(hCard, pioSendPci, pbSendBuffer, cbSendLength, pioRecvPci, pbRecvBuffer,
                pcbRecvLength);
}

namespace {

using FilePage = CPageFixture;

const char* const kNotFound = "The reader/card is not ready or the specified file ID is not found";

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

const char* const kNothing = "---";
const char* const kTransparent = "+-+";
const char* const kRecord = "-++";

TEST_F(FilePage, WalksToTheImsiLevelByLevelAndRemembersTheTrimmedPath) {
    CFilePage& page = StartOnFilePage();
    const int before = TraceCount();
    EnterPath("\\3F00\\7F20\\6F07\\");
    EXPECT_EQ(TraceLines(before).filter(QRegularExpression("^(DataIn|Header=A0C0)")),
              QStringList({"DataIn=3F00", "DataIn=7F20", "DataIn=6F07", "Header=A0C000000F"}));
    EXPECT_EQ(page.PropertiesBox()->toPlainText(),
              "ID:   6F07\n"
              "Type: EF\n"
              "Size: 0009 Bytes\n"
              "Structure: transparent\n"
              "Status: not invalidated, not readable or updatable when invalidated\n"
              "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM0> <INCREASE: NEV>\n"
              "                   <REHABILITATE: CHV1> <INVALIDATE: ADM0>");
    EXPECT_EQ(PathText(), "3F00\\7F20\\6F07");
    EXPECT_EQ(History(), QStringList({"3F00\\7F20\\6F07"}));
    EXPECT_EQ(Shown(page), kTransparent);
    EXPECT_TRUE(m_pMainDlg->isVisible());  // Enter went no further than the page
}

TEST_F(FilePage, ShowsTheControlsAndRangeForEachKindOfFile) {
    CFilePage& page = StartOnFilePage();
    EXPECT_EQ(Shown(page), kNothing);  // nothing selected yet
    EXPECT_TRUE(page.GetDlgItem(IDC_GO)->isHidden());
    EXPECT_TRUE(page.PropertiesBox()->isReadOnly());
    EXPECT_EQ(page.GetDlgItem(IDC_READ)->toolTip(), "Read data from the currect file");
    EXPECT_EQ(page.GetDlgItem(IDC_UPDATE)->toolTip(), "Update data to the current file");
    const struct {
        const char* pszPath;
        const char* pszLine;  // one line of the description, to tell the files apart
        const char* pszShown;
        const char* pszRange;
    } cases[] = {
        {"3F00", "Type: MF", kNothing, ""},
        {"3F00\\7F10\\6F3A", "Structure: linear fixed", kRecord, "( 01-0A )"},
        // A directory leaves the range of the last record file as it was.
        {"3F00\\7F10", "Type: DF", kNothing, "( 01-0A )"},
        {"3F00\\7F20\\6F39", "Structure: cyclic", kRecord, "( 01-05 )"},
        {"3F00\\2FE2", "Structure: transparent", kTransparent, "( 01-05 )"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszPath);
        EnterPath(QString::fromLatin1(c.pszPath));
        EXPECT_TRUE(page.PropertiesBox()->toPlainText().split('\n').contains(c.pszLine));
        EXPECT_EQ(Shown(page), c.pszShown);
        EXPECT_EQ(LabelText(IDC_RECORD_RANGE), c.pszRange);
    }
    EXPECT_EQ(History().size(), 5);
}

TEST_F(FilePage, InvalidPathsSendNothingAndHideTheReadControls) {
    CFilePage& page = StartOnFilePage();
    EnterPath("3F00\\2FE2");
    EXPECT_EQ(Shown(page), kTransparent);
    const QStringList history = History();
    for (const char* path : {"3F0\\2FE2", "", "\\\\", "3F002FE2"}) {
        SCOPED_TRACE(path);
        const int before = TraceCount();
        EnterPath(QString::fromLatin1(path));
        EXPECT_EQ(TraceCount(), before);
        EXPECT_EQ(page.PropertiesBox()->toPlainText(), "Invalid file path");
        EXPECT_EQ(Shown(page), kNothing);
        EXPECT_EQ(History(), history);
    }
}

TEST_F(FilePage, FailingSelectShowsTheFailureAndAddsNoHistory) {
    CFilePage& page = StartOnFilePage();
    EnterPath("3F00\\7F20\\6F07");
    const int before = TraceCount();
    EnterPath("3F00\\7F20\\6FFF");
    const QStringList lines = TraceLines(before);
    ASSERT_EQ(lines.size(), 12);  // three SELECTs, the last one refused, and no GET RESPONSE
    EXPECT_EQ(lines.mid(10), QStringList({"DataIn=6FFF", "SW=9404"}));
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), kNotFound);
    EXPECT_EQ(Shown(page), kNothing);
    EXPECT_EQ(History(), QStringList({"3F00\\7F20\\6F07"}));
    EXPECT_EQ(PathText(), "3F00\\7F20\\6FFF");
}

TEST_F(FilePage, FailedGetResponseIsAFailureNotAnEmptyDescription) {
    CFilePage& page = StartOnFilePage();
    g_bFailGetResponse = true;
    const int before = TraceCount();
    EnterPath("3F00\\2FE2");
    g_bFailGetResponse = false;
    EXPECT_EQ(TraceLines(before).filter("Header=A0C0").size(), 1);
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), kNotFound);
    EXPECT_EQ(Shown(page), kNothing);
    EXPECT_EQ(History(), QStringList());
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

TEST_F(FilePage, HistorySurvivesARestartAndTakesEachPathOnce) {
    StartOnFilePage();
    EnterPath("3F00\\7F10");
    EnterPath("3F00\\2FE2");
    EnterPath("3F00\\2FE2");
    EXPECT_EQ(History(), QStringList({"3F00\\7F10", "3F00\\2FE2"}));
    DestroyMainWindow();
    delete g_pCardReader;
    g_pCardReader = new CCardReader();

    StartOnFilePage();
    // Loading sorts them; the box starts empty.
    EXPECT_EQ(History(), QStringList({"3F00\\2FE2", "3F00\\7F10"}));
    EXPECT_EQ(PathText(), "");
    // A path that another begins with goes in above it, so it shows as itself afterwards.
    EnterPath("3F00");
    EXPECT_EQ(History(), QStringList({"3F00", "3F00\\2FE2", "3F00\\7F10"}));
    EXPECT_EQ(PathText(), "3F00");
}

}  // namespace
