#include "CardReader.h"
#include "PrivatePcscd.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
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
