#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "PrivatePcscd.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>

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

// A private pcscd with the virtual card in reader "Corvanta Virtual SIM 00 00", which
// sorts first and is therefore the reader chosen at start-up.
class Connection : public CShellFixture {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        CShellFixture::SetUp();
    }

    // Connects through the Card menu and expects no dialog.
    void Connect(CMainDlg& dlg) {
        const std::size_t dialogs = m_dialogs.m_modals.size();
        dlg.Action(ID_CARD_CONNECT)->trigger();
        EXPECT_EQ(m_dialogs.m_modals.size(), dialogs);
        EXPECT_EQ(dlg.PaneText(), "Connection created !");
        ExpectConnection(dlg, true, "Connection created !");
    }

    CPrivatePcscd m_pcscd;
};

TEST_F(Connection, ConnectReconnectDisconnectAndConnectAgain) {
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.SettingsPage().ReaderCombo()->currentText(),
              QString::fromStdString(m_pcscd.ReaderName()));
    Connect(dlg);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // An exchange over the connection reaches the trace, though the Trace page is not
    // the one shown.
    ASSERT_TRUE(dlg.TracePage().isHidden());
    std::string response;
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);
    EXPECT_EQ(response.substr(0, 2), "9F");
    EXPECT_EQ(dlg.TracePage().List()->Model()->LineText(3), QByteArray("SW=") + response.c_str());

    dlg.Action(ID_CARD_RECONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    ASSERT_EQ(g_pCardReader->Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);

    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, false, "Connection lost !");
    // The card was left as it was: it answers a new connection at once.
    Connect(dlg);
}

TEST_F(Connection, StoppedServiceCountsAsDisconnectedAndARestartedOneConnects) {
    CMainDlg& dlg = StartMainWindow();
    Connect(dlg);
    ASSERT_TRUE(m_pcscd.StopDaemon());

    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, false, "Connection lost !");
    // Reconnect is offered no more; Connect with the service still down fails visibly.
    dlg.Action(ID_CARD_CONNECT)->trigger();
    EXPECT_EQ(m_dialogs.m_modals.size(), 1u);
    ExpectConnection(dlg, false, "Error connecting to the card !");

    std::string error;
    ASSERT_TRUE(m_pcscd.StartDaemon(&error)) << error;
    ASSERT_TRUE(m_pcscd.StartCard(&error)) << error;
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    Connect(dlg);
}

TEST_F(Connection, DisconnectFailureThatKeepsTheConnectionKeepsItOnScreen) {
    CMainDlg& dlg = StartMainWindow();
    Connect(dlg);

    g_forcedDisconnectResult = SCARD_E_SHARING_VIOLATION;
    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    // Reconnect does not connect over the connection that is still open.
    dlg.Action(ID_CARD_RECONNECT)->trigger();
    ExpectConnection(dlg, true, "Connection created !");
    EXPECT_TRUE(m_dialogs.m_modals.empty());
    std::string response;
    EXPECT_EQ(g_pCardReader->Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);

    g_forcedDisconnectResult = SCARD_S_SUCCESS;
    dlg.Action(ID_CARD_DISCONNECT)->trigger();
    ExpectConnection(dlg, false, "Connection lost !");
}

TEST_F(Connection, AppliedReaderIsTheOneTheNextConnectUses) {
    CMainDlg& dlg = StartMainWindow();
    QComboBox* pReaders = dlg.SettingsPage().ReaderCombo();
    // The second reader of the entry holds no card.
    const QString empty = QString::fromStdString(m_pcscd.ReaderName()).replace(" 00 00", " 00 01");
    const int index = pReaders->findText(empty);
    ASSERT_GE(index, 0);
    pReaders->setCurrentIndex(index);
    emit pReaders->activated(index);
    auto* pApply = static_cast<QPushButton*>(dlg.SettingsPage().GetDlgItem(IDC_APPLY));
    pApply->click();
    EXPECT_EQ(g_pCardReader->GetReaderName(), empty.toStdString());

    dlg.Action(ID_CARD_CONNECT)->trigger();
    EXPECT_EQ(m_dialogs.m_modals.size(), 1u);
    ExpectConnection(dlg, false, "Error connecting to the card !");
}

}  // namespace
