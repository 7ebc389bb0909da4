#include "CardReader.h"
#include "FilePageFixture.h"
#include "PathCombo.h"
#include "ResourceIds.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <dlfcn.h>

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

using FilePage = CFilePageFixture;

const QString kRule(60, QLatin1Char('-'));
const char* const kNotFound = "The reader/card is not ready or the specified file ID is not found";

// Which of the read and update controls show.
struct SShown {
    bool bOffsetRow;
    bool bRecordRow;
    bool bReadUpdate;
};

SShown Shown(const CFilePage& page) {
    const auto shown = [&page](int nId) { return !page.GetDlgItem(nId)->isHidden(); };
    const SShown result{shown(IDC_OFFSET), shown(IDC_RECORD_NUMBER), shown(IDC_READ)};
    // The controls of a row come and go together.
    EXPECT_EQ(shown(IDC_OFFSET_CAPTION), result.bOffsetRow);
    EXPECT_EQ(shown(IDC_LENGTH), result.bOffsetRow);
    EXPECT_EQ(shown(IDC_LENGTH_CAPTION), result.bOffsetRow);
    EXPECT_EQ(shown(IDC_RECORD_CAPTION), result.bRecordRow);
    EXPECT_EQ(shown(IDC_RECORD_RANGE), result.bRecordRow);
    EXPECT_EQ(shown(IDC_UPDATE), result.bReadUpdate);
    EXPECT_EQ(shown(IDC_FILE_DATA), result.bReadUpdate);
    EXPECT_EQ(shown(IDC_FILE_DATA_CAPTION), result.bReadUpdate);
    EXPECT_EQ(shown(IDC_FILE_STATUS_WORD), result.bReadUpdate);
    return result;
}

void ExpectShown(const CFilePage& page, SShown expected) {
    const SShown shown = Shown(page);
    EXPECT_EQ(shown.bOffsetRow, expected.bOffsetRow);
    EXPECT_EQ(shown.bRecordRow, expected.bRecordRow);
    EXPECT_EQ(shown.bReadUpdate, expected.bReadUpdate);
}

constexpr SShown kNothing{false, false, false};
constexpr SShown kTransparent{true, false, true};
constexpr SShown kRecord{false, true, true};

TEST_F(FilePage, OpensWithNothingToReadAndAnInvisibleGoButton) {
    CFilePage& page = StartOnFilePage(false);
    ExpectShown(page, kNothing);
    EXPECT_TRUE(page.GetDlgItem(IDC_GO)->isHidden());
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), "");
    EXPECT_TRUE(page.PropertiesBox()->isReadOnly());
    EXPECT_EQ(page.GetDlgItem(IDC_READ)->toolTip(), "Read data from the currect file");
    EXPECT_EQ(page.GetDlgItem(IDC_UPDATE)->toolTip(), "Update data to the current file");
}

TEST_F(FilePage, WalksToTheImsiLevelByLevelAndRemembersTheTrimmedPath) {
    CFilePage& page = StartOnFilePage();
    const int before = TraceCount();
    EnterPath("\\3F00\\7F20\\6F07\\");

    const QStringList lines = TraceLines(before);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.mid(0, 4), QStringList({kRule, "Header=A0A4000002", "DataIn=3F00", lines[3]}));
    EXPECT_EQ(lines.mid(5, 2), QStringList({"Header=A0A4000002", "DataIn=7F20"}));
    EXPECT_EQ(lines.mid(9, 3), QStringList({"Header=A0A4000002", "DataIn=6F07", "SW=9F0F"}));
    EXPECT_EQ(lines.mid(12, 4), QStringList({kRule, "Header=A0C000000F",
                                             "DataOut=000000096F07040014F01401020000", "SW=9000"}));

    const std::string expected =
        "ID:   6F07\r\n"
        "Type: EF\r\n"
        "Size: 0009 Bytes\r\n"
        "Structure: transparent\r\n"
        "Status: not invalidated, not readable or updatable when invalidated\r\n"
        "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM0> <INCREASE: NEV>\r\n"
        "                   <REHABILITATE: CHV1> <INVALIDATE: ADM0>";
    EXPECT_EQ(page.Logic().Fields().m_strProperties, expected);
    EXPECT_EQ(page.PropertiesBox()->toPlainText(),
              QString::fromStdString(expected).replace("\r\n", "\n"));
    EXPECT_EQ(PathText(), "3F00\\7F20\\6F07");
    EXPECT_EQ(History(), QStringList({"3F00\\7F20\\6F07"}));
    ExpectShown(page, kTransparent);
    EXPECT_FALSE(page.Logic().IsRecordFile());
    // Enter went no further than the page.
    EXPECT_TRUE(m_pMainDlg->isVisible());
}

TEST_F(FilePage, DescribesTheMfADfAndLinearFixedAndCyclicFiles) {
    CFilePage& page = StartOnFilePage();
    struct SCase {
        const char* pszPath;
        std::string strProperties;
        SShown shown;
        const char* pszRange;
        bool bCyclic;
    };
    const SCase cases[] = {
        {"3F00",
         "ID:   3F00\r\nType: MF\r\nAvailable Memory: 0800 Bytes\r\nInclude: 02 DFs, 01 EFs",
         kNothing, "", false},
        {"3F00\\7F10\\6F3A",
         "ID:   6F3A\r\nType: EF\r\nSize: 0118 Bytes\r\nStructure: linear fixed\r\nRecord Length: "
         "1C Bytes\r\n"
         "Status: not invalidated, not readable or updatable when invalidated\r\n"
         "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: NEV>\r\n"
         "                   <REHABILITATE: CHV2> <INVALIDATE: CHV2>",
         kRecord, "( 01-0A )", false},
        {"3F00\\7F10",
         "ID:   7F10\r\nType: DF\r\nAvailable Memory: 0400 Bytes\r\nInclude: 00 DFs, 05 EFs",
         kNothing, "( 01-0A )", false},
        {"3F00\\7F20\\6F39",
         "ID:   6F39\r\nType: EF\r\nSize: 000F Bytes\r\nStructure: cyclic\r\nRecord Length: 03 "
         "Bytes\r\n"
         "Status: not invalidated, not readable or updatable when invalidated\r\n"
         "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: CHV1>\r\n"
         "                   <REHABILITATE: ADM0> <INVALIDATE: ADM0>",
         kRecord, "( 01-05 )", true},
        {"3F00\\7F10\\6F44",
         "ID:   6F44\r\nType: EF\r\nSize: 008C Bytes\r\nStructure: cyclic\r\nRecord Length: 1C "
         "Bytes\r\n"
         "Status: not invalidated, not readable or updatable when invalidated\r\n"
         "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: NEV>\r\n"
         "                   <REHABILITATE: ADM0> <INVALIDATE: ADM0>",
         kRecord, "( 01-05 )", true},
        {"3F00\\2FE2",
         "ID:   2FE2\r\nType: EF\r\nSize: 000A Bytes\r\nStructure: transparent\r\n"
         "Status: not invalidated, not readable or updatable when invalidated\r\n"
         "Access Conditions: <READ;SEEK: ALW> <UPDATE: NEV> <INCREASE: NEV>\r\n"
         "                   <REHABILITATE: ADM0> <INVALIDATE: ADM0>",
         kTransparent, "( 01-05 )", true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.pszPath);
        EnterPath(QString::fromLatin1(c.pszPath));
        EXPECT_EQ(page.Logic().Fields().m_strProperties, c.strProperties);
        ExpectShown(page, c.shown);
        // A directory leaves the range of the last record file as it was.
        EXPECT_EQ(LabelText(IDC_RECORD_RANGE), c.pszRange);
        if (c.shown.bRecordRow) {
            EXPECT_EQ(page.Logic().IsCyclic(), c.bCyclic);
        }
    }
    QStringList history = History();
    history.sort();
    EXPECT_EQ(history, QStringList({"3F00", "3F00\\2FE2", "3F00\\7F10", "3F00\\7F10\\6F3A",
                                    "3F00\\7F10\\6F44", "3F00\\7F20\\6F39"}));
}

TEST_F(FilePage, InvalidPathsSendNothingAndHideTheReadControls) {
    CFilePage& page = StartOnFilePage();
    EnterPath("3F00\\2FE2");
    ExpectShown(page, kTransparent);
    const QStringList history = History();
    for (const char* path : {"3F0\\2FE2", "3F00\\\\2FE2", "", "\\\\", "3F002FE2"}) {
        SCOPED_TRACE(path);
        const int before = TraceCount();
        EnterPath(QString::fromLatin1(path));
        EXPECT_EQ(TraceCount(), before);
        EXPECT_EQ(page.PropertiesBox()->toPlainText(), "Invalid file path");
        ExpectShown(page, kNothing);
        EXPECT_EQ(History(), history);
    }
}

TEST_F(FilePage, FailingSelectShowsTheFailureAndAddsNoHistory) {
    CFilePage& page = StartOnFilePage();
    EnterPath("3F00\\7F20\\6F07");
    ExpectShown(page, kTransparent);
    const int before = TraceCount();
    EnterPath("3F00\\7F20\\6FFF");
    const QStringList lines = TraceLines(before);
    // Three SELECTs, the last one refused, and no GET RESPONSE.
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.mid(9, 3), QStringList({"Header=A0A4000002", "DataIn=6FFF", "SW=9404"}));
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), kNotFound);
    ExpectShown(page, kNothing);
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
    ExpectShown(page, kNothing);
    EXPECT_EQ(History(), QStringList());
}

TEST_F(FilePage, WithoutAConnectionTheSelectFails) {
    CFilePage& page = StartOnFilePage(false);
    const int before = TraceCount();
    EnterPath("3F00");
    EXPECT_EQ(TraceLines(before).filter("Header=A0A4000002").size(), 1);
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), kNotFound);
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
    EXPECT_EQ(page.PropertiesBox()->toPlainText(), "");

    pEdit->setFocus();
    QTest::keyClick(pEdit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_GT(TraceCount(), before);
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

    CFilePage& page = StartOnFilePage();
    // Loading sorts them; the box starts empty.
    EXPECT_EQ(History(), QStringList({"3F00\\2FE2", "3F00\\7F10"}));
    EXPECT_EQ(PathText(), "");
    // A path that another begins with goes in above it, so it shows as itself afterwards.
    EnterPath("3F00");
    EXPECT_EQ(History(), QStringList({"3F00", "3F00\\2FE2", "3F00\\7F10"}));
    EXPECT_EQ(PathText(), "3F00");
    EXPECT_TRUE(page.PropertiesBox()->toPlainText().startsWith("ID:   3F00"));
}

}  // namespace
