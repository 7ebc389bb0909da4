// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"
#include "PageFixture.h"
#include "ResourceIds.h"

// A card that answers as no good GSM card does: the Command page shows the whole answer or
// none, and Connect works again once a good card is back. The File page's own hostile
// answers are in its test; a Play on a failing card is the script engine's test.
namespace {

// 256 bytes 00..FF in hex, the data of the card's 258-byte answers.
QString Counting256() {
    QString text;
    for (int i = 0; i < 256; ++i) text += QString::asprintf("%02X", i);
    return text;
}

using HostileCard = CPageFixture;

// The mute card first: after it, a good one answers again.
TEST_F(HostileCard, CommandPageShowsNothingFromAMuteCardAndALongAnswerWhole) {
    CCommandPage& page = StartOnCommandPage();
    const struct {
        const char* pszMode;
        QString strShown;  // data and status word
    } cases[] = {{"silent", "|"}, {"258", Counting256() + "|9000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszMode);
        ASSERT_TRUE(m_pcscd.SwapCard({"--misbehave", c.pszMode}));
        m_pMainDlg->OnCardReconnect();
        ASSERT_TRUE(g_pCardReader->IsConnected());
        // STATUS: typing CLA INS completes the preset, P3 and mode included.
        page.ClaInsCombo()->HexEdit()->setFocus();
        page.ClaInsCombo()->HexEdit()->clear();
        QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0F2");
        Click(IDC_SEND);
        EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text() + "|" + Edit(IDC_STATUS_WORD)->text(), c.strShown);
    }
}

}  // namespace
