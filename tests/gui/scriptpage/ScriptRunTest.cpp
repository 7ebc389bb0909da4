#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "PrivatePcscd.h"
#include "ScriptPageFixture.h"
#include "TracePage.h"

#include <QGuiApplication>

#include <dlfcn.h>

// A card pulled out in the middle of a run: this definition stands in front of
// pcsc-lite's, kills the virtual card before the marked APDU and hands every call on.
namespace {
CPrivatePcscd* g_pPullBefore = nullptr;
constexpr unsigned char kPullMark[] = {0xA0, 0xB0};
}  // namespace

extern "C" LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci,
                              LPCBYTE pbSendBuffer, DWORD cbSendLength,
                              SCARD_IO_REQUEST* pioRecvPci, LPBYTE pbRecvBuffer,
                              LPDWORD pcbRecvLength) {
    if (g_pPullBefore != nullptr && cbSendLength >= 2 && pbSendBuffer[0] == kPullMark[0] &&
        pbSendBuffer[1] == kPullMark[1]) {
        g_pPullBefore->StopCard(true);
        g_pPullBefore = nullptr;
    }
    using Transmit = LONG (*)(SCARDHANDLE, const SCARD_IO_REQUEST*, LPCBYTE, DWORD,
                              SCARD_IO_REQUEST*, LPBYTE, LPDWORD);
    static const auto real = reinterpret_cast<Transmit>(dlsym(RTLD_NEXT, "SCardTransmit"));
    return real(hCard, pioSendPci, pbSendBuffer, cbSendLength, pioRecvPci, pbRecvBuffer,
                pcbRecvLength);
}

namespace {

class ScriptRun : public CScriptPageFixture {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        CScriptPageFixture::SetUp();
    }
    int TraceLines() const { return m_pMainDlg->TracePage().List()->Model()->Count(); }

    CPrivatePcscd m_pcscd;
};

TEST_F(ScriptRun, PlayConnectsAndStopsAtABreakpointStepAndResetMoveOn) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0A40000023F00\r\na0a4000002\r\nA0A40000027F20\r\nA0A40000026F07\r\nA0A40000023F00\r\n");
    Model().SetCellText(3, 1, "*");
    Model().SetCellText(4, 3, "old");
    QTest::mouseClick(page.GetDlgItem(IDC_PLAY), Qt::LeftButton);
    EXPECT_TRUE(g_pCardReader->IsConnected());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Column(3), "9F17||9F17||");  // the lower-case row is passed over
    EXPECT_EQ(List().Selection().aRows, std::vector<int>({3}));
    EXPECT_EQ(TraceLines(), 2 * 4);

    page.OnStep();
    page.OnStep();
    EXPECT_EQ(Column(3), "9F17||9F17|9F0F|9F17");
    EXPECT_EQ(List().Selection().nFocus, -1);  // past the last row
    page.OnStep();
    EXPECT_EQ(TraceLines(), 4 * 4);
    page.OnReset();
    EXPECT_EQ(List().Selection().nFocus, 0);
}

// Nothing stops a run; with the card gone, the connect before the next run fails and
// leaves every row as it was.
TEST_F(ScriptRun, AnErrorStatusWordOrAPulledCardDoesNotStopTheRun) {
    CScriptPage& page = StartOnScriptPage();
    Load("A0A4000002FFFF\r\nA0A40000023F00\r\nA0B0000001\r\nA0A40000023F00\r\n");
    g_pPullBefore = &m_pcscd;
    page.OnPlay();
    EXPECT_EQ(g_pPullBefore, nullptr);
    EXPECT_EQ(Column(3), "9404|9F17||");
    EXPECT_EQ(List().Selection().nFocus, 3);  // the run went on to the last row

    m_pMainDlg->OnCardDisconnect();
    Model().SetCellText(3, 3, "9000");
    page.OnReset();
    page.OnPlay();
    page.OnStep();
    EXPECT_EQ(m_dialogs.m_modals.back().strTitle, "Card error");
    EXPECT_EQ(Column(3), "9404|9F17||9000");
    EXPECT_EQ(List().Selection().nFocus, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
