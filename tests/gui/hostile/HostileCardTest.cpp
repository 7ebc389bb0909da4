#include "CardReader.h"
#include "PageFixture.h"
#include "ResourceIds.h"
#include "ScriptPage.h"

#include <QFile>
#include <QRegularExpression>

// A card that answers as no good GSM card does, a card pulled before a run and a PC/SC
// service that goes away: the pages show the whole answer or none, never a stale one, send
// nothing the user did not ask for, and Connect works again once a good card is back.
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

// A Play of 1,000 rows on a pulled card goes on to the last row and traces every exchange
// with a bare status word.
TEST_F(HostileCard, PlayOnAPulledCardRunsOnToTheLastRow) {
    StartOnPage(3);
    CScriptPage& page = m_pMainDlg->ScriptPage();
    const QString path = QString::fromStdString(m_iniDir.File("long.scp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("A0F2000016\r\n").repeated(1000));
    file.close();
    ASSERT_TRUE(page.OpenScript(path));

    Connect();
    ASSERT_TRUE(m_pcscd.StopCard(true));
    const int before = TraceCount();
    page.OnPlay();
    EXPECT_EQ(TraceLines(before).filter(QRegularExpression("^SW=$")).size(), 1000);
}

}  // namespace
