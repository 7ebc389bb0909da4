#include "CardReader.h"
#include "CardReaderHost.h"
#include "DragListCtrl.h"
#include "FilePageLogic.h"
#include "ItemListModel.h"
#include "PageFixture.h"
#include "ResourceIds.h"
#include "ScriptPage.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <map>

// A card that answers as no good GSM card does, and a card pulled in the middle of an
// operation: the pages show what came back, the trace shows that nothing was sent that the
// user did not ask for, and Connect works again once a good card is back.
namespace {

// 256 bytes 00..FF in hex, the data of the card's 258-byte answers.
QString Counting256() {
    QString text;
    for (int i = 0; i < 256; ++i) text += QString::asprintf("%02X", i);
    return text;
}

// Passes the trace on to the window and pulls the card after the given number of exchanges.
class CPullingHost : public CCardReaderHost {
public:
    CPullingHost(CCardReaderHost& host, int nExchanges, std::function<void()> pull)
        : m_host(host), m_nLeft(nExchanges), m_pull(std::move(pull)) {}
    void AppendRecord(const std::string& command, const std::string& response) override {
        m_host.AppendRecord(command, response);
        if (--m_nLeft == 0) m_pull();
    }
    void ShowCardError() override { m_host.ShowCardError(); }

private:
    CCardReaderHost& m_host;
    int m_nLeft;
    std::function<void()> m_pull;
};

class HostileCard : public CPageFixture {
protected:
    // Puts in a card started with these options and connects to it afresh.
    void UseCard(const std::vector<std::string>& vArguments) {
        ASSERT_TRUE(m_pcscd.SwapCard(vArguments));
        Reconnect();
    }
    void Reconnect() {
        m_pMainDlg->OnCardReconnect();
        ASSERT_TRUE(g_pCardReader->IsConnected());
    }
    // The trace from line nFrom on without the rules between records, lines joined by " ".
    std::string Exchanges(int nFrom) const {
        QStringList lines = TraceLines(nFrom);
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString& line) { return line.startsWith("---"); }),
                    lines.end());
        return lines.join(' ').toStdString();
    }
    QString Properties() const { return TheFilePage().PropertiesBox()->toPlainText(); }
    void SendCommand(const QString& strClaIns, const QString& strP3, const QString& strData = "") {
        // CLA INS first: typing it completes a preset, P3 included.
        QLineEdit* pClaIns = TheCommandPage().ClaInsCombo()->HexEdit();
        pClaIns->setFocus();
        pClaIns->clear();
        QTest::keyClicks(pClaIns, strClaIns);
        Type(IDC_P3, strP3);
        Radio(strData.isEmpty() ? IDC_MODE_OUT : IDC_MODE_IN)->click();
        if (!strData.isEmpty()) Type(IDC_COMMAND_DATA, strData);
        Click(IDC_SEND);
    }
};

struct SFileCase {
    const char* pszMode;
    const char* pszPropertiesStart;  // the description, or the failure message
    std::string strSelectTrace;      // every exchange of the selection
    QString strData = {};            // after a read of 2 bytes, when the file was described
    QString strStatusWord = {};
};

TEST_F(HostileCard, FilePageShowsWhatAMisbehavingCardAnswers) {
    const std::string selectMfIccid =
        "Header=A0A4000002 DataIn=3F00 SW=9F17 Header=A0A4000002 DataIn=2FE2 SW=9F0F ";
    const std::string selectIccid =
        selectMfIccid + "Header=A0C000000F DataOut=0000000A2FE204000FF04401020000 SW=9000";
    const SFileCase cases[] = {
        {"258:B0", "ID:   2FE2", selectIccid, Counting256(), "SW=9000"},
        {"overlong:B0", "ID:   2FE2", selectIccid, "9800EEEEEEEEEEEEEEEE", "SW=9000"},
        {"bare-sw:B0", "ID:   2FE2", selectIccid, "", "SW=9000"},
        {"silent:B0", "ID:   2FE2", selectIccid, "", "SW="},
        {"258:C0", "ID:   0405\r\nType: RFU\r\nAvailable Memory: 0203 Bytes",
         selectMfIccid + "Header=A0C000000F DataOut=" + Counting256().toStdString() + " SW=9000"},
        {"9FFF", CFilePageLogic::kNotFound,
         "Header=A0A4000002 DataIn=3F00 SW=9FFF Header=A0A4000002 DataIn=2FE2 SW=9FFF "
         "Header=A0C00000FF SW=670F"},
        {"61xx", CFilePageLogic::kNotFound, "Header=A0A4000002 DataIn=3F00 SW=6117"},
    };
    StartOnFilePage();
    for (const SFileCase& c : cases) {
        SCOPED_TRACE(c.pszMode);
        UseCard({"--misbehave", c.pszMode});
        const int before = TraceCount();
        EnterPath("3F00\\2FE2");
        EXPECT_EQ(Exchanges(before), c.strSelectTrace);
        EXPECT_TRUE(Properties().startsWith(QString(c.pszPropertiesStart).replace("\r\n", "\n")))
            << Properties().toStdString();
        if (c.strStatusWord.isEmpty()) continue;
        Type(IDC_LENGTH, "2");
        Click(IDC_READ);
        EXPECT_EQ(Edit(IDC_FILE_DATA)->text().toStdString(), c.strData.toStdString());
        EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD).toStdString(), c.strStatusWord.toStdString());
    }
}

TEST_F(HostileCard, CardPulledDuringAFileWalkFailsTheWalkAndConnectWorksOnceItIsBack) {
    StartOnFilePage();
    CPullingHost host(*m_pMainDlg, 1, [this]() { ASSERT_TRUE(m_pcscd.StopCard(true)); });
    g_pCardReader->SetMainWindow(&host);
    const int before = TraceCount();
    EnterPath("3F00\\7F20\\6F07");
    g_pCardReader->SetMainWindow(m_pMainDlg.get());
    // The walk stops at the first failed SELECT: nothing after it is sent.
    EXPECT_EQ(Exchanges(before),
              "Header=A0A4000002 DataIn=3F00 SW=9F17 Header=A0A4000002 DataIn=7F20 SW=");
    EXPECT_EQ(Properties(), CFilePageLogic::kNotFound);

    ASSERT_TRUE(m_pcscd.StartCard());
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    Reconnect();
    EnterPath("3F00\\7F20\\6F07");
    EXPECT_TRUE(Properties().startsWith("ID:   6F07")) << Properties().toStdString();
}

struct SCommandCase {
    const char* pszMode;
    QString strClaIns, strP3;
    QString strData;        // what the data field shows after the send
    QString strStatusWord;  // what the status word field shows
};

TEST_F(HostileCard, CommandPageShowsWhatAMisbehavingCardAnswers) {
    const SCommandCase cases[] = {
        {"258", "A0F2", "16", Counting256(), "9000"},
        {"overlong", "A0F2", "0E", "000008003F000100000000000A00EEEEEEEEEEEEEEEE", "9000"},
        {"bare-sw", "A0F2", "16", "", "9000"},
        {"6Cxx", "A0F2", "FF", "", "6C17"},
        {"silent", "A0F2", "16", "", ""},
    };
    StartOnCommandPage();
    for (const SCommandCase& c : cases) {
        SCOPED_TRACE(c.pszMode);
        UseCard({"--misbehave", c.pszMode});
        SendCommand(c.strClaIns, c.strP3);
        EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text().toStdString(), c.strData.toStdString());
        EXPECT_EQ(Edit(IDC_STATUS_WORD)->text().toStdString(), c.strStatusWord.toStdString());
    }
    // After the mute card, a good card answers the same page.
    UseCard({});
    SendCommand("A0F2", "0E");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "9000");
}

TEST_F(HostileCard, CardPulledBeforeASendShowsNoAnswerAndConnectWorksOnceItIsBack) {
    StartOnCommandPage();
    Connect();
    ASSERT_TRUE(m_pcscd.StopCard(true));
    const int before = TraceCount();
    SendCommand("A0D6", "02", "1234");
    EXPECT_EQ(Exchanges(before), "Header=A0D6000002 DataIn=1234 SW=");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "");

    ASSERT_TRUE(m_pcscd.StartCard());
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    Reconnect();
    SendCommand("A0F2", "0E");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "9000");
}

// Play of 1,000 rows with the card pulled half way: the run goes on to the last row with
// bare status words, the trace holds every exchange, and a Play after the card is back
// answers every row, without restarting.
TEST_F(HostileCard, CardPulledDuringAPlayOf1000RowsRunsOnAndTracesEveryExchange) {
    StartOnPage(3);
    CScriptPage& page = m_pMainDlg->ScriptPage();
    const QString path = QString::fromStdString(m_iniDir.File("long.scp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int row = 0; row < 1000; ++row)
        file.write(row % 2 ? "A0F2000016\r\n" : "A0A40000023F00\r\n");
    file.close();
    ASSERT_TRUE(page.OpenScript(path));
    const auto statusWords = [&page]() {
        std::map<std::string, int> counts;
        const CItemListModel& model = *page.List()->Model();
        for (int row = 0; row < model.RowCount(); ++row) ++counts[model.CellText(row, 3)];
        return counts;
    };

    Connect();
    CPullingHost host(*m_pMainDlg, 500, [this]() { ASSERT_TRUE(m_pcscd.StopCard(true)); });
    g_pCardReader->SetMainWindow(&host);
    const int before = TraceCount();
    page.OnPlay();
    g_pCardReader->SetMainWindow(m_pMainDlg.get());
    EXPECT_EQ(statusWords(),
              (std::map<std::string, int>{{"", 500}, {"9000", 250}, {"9F17", 250}}));
    const QStringList trace = TraceLines(before);
    EXPECT_EQ(trace.filter(QRegularExpression("^Header=")).size(), 1000);
    EXPECT_EQ(trace.filter(QRegularExpression("^SW=$")).size(), 500);

    ASSERT_TRUE(m_pcscd.StartCard());
    ASSERT_TRUE(m_pcscd.WaitForCard(true));
    Reconnect();
    page.OnReset();
    page.OnPlay();
    EXPECT_EQ(statusWords(), (std::map<std::string, int>{{"9000", 500}, {"9F17", 500}}));
}

}  // namespace
