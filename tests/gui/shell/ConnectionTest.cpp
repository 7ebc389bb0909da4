// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"
#include "CardWatcher.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "PrivatePcscd.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <dlfcn.h>

// The one fault the daemon cannot be made to give: a disconnect that fails while the
// connection stays. This definition stands in front of pcsc-lite's; it answers with the
// forced code when one is set and hands the call on otherwise.
namespace {
LONG g_forcedDisconnectResult = SCARD_S_SUCCESS;
}

extern "C" LONG SCardDisconnect(SCARDHANDLE hCard, DWORD dwDisposition) {
    if (g_forcedDisconnectResult != SCARD_S_SUCCESS) return g_forcedDisconnectResult;
    using Disconnect = LONG (*)(SCARDHANDLE, DWORD);
    static const auto real = reinterpret_cast<Disconnect>(dlsym(RTLD_NEXT, "SCardDisconnect"));
    return real(hCard, dwDisposition);
}

namespace {

// A private pcscd with the virtual card in reader "Corvanta Virtual SIM 00 00"; its
// second reader "Corvanta Virtual SIM 00 01" stays empty.
class Connection : public CShellFixture {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        CShellFixture::SetUp();
    }

    CPrivatePcscd m_pcscd;
};

TEST_F(Connection, TheChosenReaderConnectsAndAFailedDisconnectKeepsTheConnectionOnScreen) {
    // The stored reader matches whatever its case; Apply makes another the one to use.
    const std::string card = m_pcscd.ReaderName();
    const std::string empty = card.substr(0, card.size() - 2) + "01";
    CProfile::WriteString("Settings", "Reader",
                          QByteArray::fromStdString(empty).toLower().toStdString());
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(g_pCardReader->GetReaderName(), empty);
    QComboBox* pReaders = dlg.SettingsPage().ReaderCombo();
    ASSERT_EQ(pReaders->itemText(0).toStdString(), card);
    pReaders->setCurrentIndex(0);
    emit pReaders->activated(0);
    static_cast<QPushButton*>(dlg.SettingsPage().GetDlgItem(IDC_APPLY))->click();
    EXPECT_EQ(g_pCardReader->GetReaderName(), card);

    dlg.Action(ID_CARD_CONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");

    // A disconnect that fails and leaves the connection open keeps it on screen.
    g_forcedDisconnectResult = SCARD_E_SHARING_VIOLATION;
    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    g_forcedDisconnectResult = SCARD_S_SUCCESS;

    dlg.Action(ID_CARD_RECONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, false, "Connection lost !");
    // The card was left as it was: it answers a new connection at once.
    dlg.Action(ID_CARD_CONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
}

}  // namespace

namespace {

// No exchange is needed to see the card go: the status line says so and the lights turn
// to red while the connection stays open until the user ends it. A card put back is
// connected as before, and that connection is watched in its turn, up to the window's end.
TEST_F(Connection, ACardPulledWhileConnectedShowsAtOnce) {
    CProfile::WriteString("Settings", "Reader", m_pcscd.ReaderName());
    CMainDlg& dlg = StartMainWindow();
    QSignalSpy left(&dlg.CardWatcher(), &CCardWatcher::CardLeft);
    const auto pullCard = [&] {
        dlg.Action(ID_CARD_CONNECT)->trigger();
        ExpectConnection(dlg, true, "Connection created !");
        ASSERT_TRUE(m_pcscd.StopCard(true));
        ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.IsRedLightOn(); }, 10000));
        EXPECT_EQ(dlg.RememberedStatusText(), "Card removed !");
        EXPECT_FALSE(dlg.IsGreenLightOn());
        dlg.OnIdleUpdate();
        EXPECT_EQ(dlg.PaneText(), "Card removed !");
        EXPECT_TRUE(g_pCardReader->IsConnected());
        EXPECT_FALSE(dlg.Action(ID_CARD_CONNECT)->isEnabled());
        EXPECT_TRUE(dlg.Action(ID_CARD_RECONNECT)->isEnabled());
    };
    pullCard();
    EXPECT_EQ(dlg.TracePage().List()->Model()->Count(), 0);

    std::string error;
    ASSERT_TRUE(m_pcscd.StartCard(&error)) << error;
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, false, "Connection lost !");
    pullCard();
    EXPECT_EQ(left.count(), 2);

    ASSERT_TRUE(m_pcscd.StartCard(&error)) << error;
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    dlg.Action(ID_CARD_RECONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    EXPECT_TRUE(dlg.CardWatcher().IsWatching());
    DestroyMainWindow();
}

}  // namespace
