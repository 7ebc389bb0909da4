#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <PCSC/pcsclite.h>

#include "CardReader.h"
#include "CardReaderHost.h"
#include "PrivatePcscd.h"
#include "TempDir.h"

// The card core against a real pcscd, the vpcd driver and the virtual SIM card.
namespace {

class CCountingHost : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override {
        commands.push_back(command);
        responses.push_back(response);
    }
    void ShowCardError() override { ++cardErrors; }

    std::vector<std::string> commands;
    std::vector<std::string> responses;
    int cardErrors = 0;
};

const std::string kVerifyChv1 = "A02000010831323334FFFFFFFF";

class CardEndToEndTest : public ::testing::Test {
protected:
    void StartCard(CPrivatePcscd::Options options = {}) {
        m_pPcscd = std::make_unique<CPrivatePcscd>(options);
        std::string error;
        ASSERT_TRUE(m_pPcscd->Start(&error)) << error;
        m_pReader = std::make_unique<CCardReader>();
        m_pReader->SetMainWindow(&m_host);
        m_pReader->SetReaderName(m_pPcscd->ReaderName());
    }

    void Connect() {
        ASSERT_EQ(m_pReader->Connect(), SCARD_S_SUCCESS);
        ASSERT_TRUE(m_pReader->IsConnected());
    }

    // The old connection is gone with the card; a fresh one reaches the card plugged back.
    void PlugCardBackAndReconnect() {
        std::string error;
        ASSERT_TRUE(m_pPcscd->StartCard(&error)) << error;
        ASSERT_TRUE(m_pPcscd->WaitForCard(true));
        m_pReader->Disconnect();
        EXPECT_FALSE(m_pReader->IsConnected());
        Connect();
    }

    // The answer's text; fails the test when the transmit itself fails.
    std::string Send(const std::string& command) {
        std::string response;
        const LONG code = m_pReader->Exchange(command, response);
        EXPECT_EQ(code, SCARD_S_SUCCESS) << command << " gave 0x" << std::hex << code;
        return response;
    }

    // Selects each id of the path in turn and returns the GET RESPONSE data of the last.
    std::string SelectPath(const std::vector<std::string>& ids) {
        std::string answer;
        for (const std::string& id : ids) {
            answer = Send("A0A4000002" + id);
            EXPECT_EQ(answer.substr(0, 2), "9F") << "SELECT " << id << " answered " << answer;
        }
        if (answer.size() != 4) return std::string();
        const std::string response = Send("A0C00000" + answer.substr(2, 2));
        EXPECT_EQ(response.substr(response.size() - 4), "9000");
        return response.substr(0, response.size() - 4);
    }

    CCountingHost m_host;
    std::unique_ptr<CPrivatePcscd> m_pPcscd;
    std::unique_ptr<CCardReader> m_pReader;
};

}  // namespace

TEST_F(CardEndToEndTest, ListsTheVirtualReadersAndConnectsT0) {
    StartCard();
    const std::vector<std::string> names = CCardReader::SplitReaderList(m_pReader->GetReaderList(), 10);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], m_pPcscd->ReaderName());
    Connect();
    EXPECT_EQ(m_host.cardErrors, 0);
}

TEST_F(CardEndToEndTest, WalkToImsiAndReadItAfterChv1) {
    StartCard();
    Connect();
    const std::string description = SelectPath({"3F00", "7F20", "6F07"});
    ASSERT_EQ(description.size(), 30u);
    EXPECT_EQ(description.substr(8, 4), "6F07");   // file id
    EXPECT_EQ(Send("A0B0000009"), "9804");          // read needs CHV1
    EXPECT_EQ(Send(kVerifyChv1), "9000");
    const std::string imsi = Send("A0B0000009");
    EXPECT_EQ(imsi.size(), 18u + 4u);
    EXPECT_EQ(imsi.substr(18), "9000");
}

TEST_F(CardEndToEndTest, UpdatesSurviveACardRestartWithAStateFile) {
    CTempDir stateDir("corvanta-state");
    CPrivatePcscd::Options options;
    options.strStateFile = stateDir.File("card.state");
    StartCard(options);
    Connect();
    EXPECT_EQ(Send(kVerifyChv1), "9000");
    SelectPath({"3F00", "7F10", "6F3A"});
    // "Corvanta" padded to 14 bytes, then a number in its 14-byte tail.
    const std::string record = "436F7276616E7461FFFFFFFFFFFF" "0681" "1050325476FFFFFFFFFF" "FFFF";
    ASSERT_EQ(record.size(), 2u * 28);
    EXPECT_EQ(Send("A0DC01041C" + record), "9000");
    EXPECT_EQ(Send("A0B201041C"), record + "9000");

    ASSERT_TRUE(m_pPcscd->StopCard());
    PlugCardBackAndReconnect();
    EXPECT_EQ(Send(kVerifyChv1), "9000");
    SelectPath({"3F00", "7F10", "6F3A"});
    EXPECT_EQ(Send("A0B201041C"), record + "9000");
}

TEST_F(CardEndToEndTest, ExchangeWithoutConnectionIsRefusedByPcscAndTraced) {
    StartCard();
    std::string response = "stale";
    EXPECT_EQ(m_pReader->Exchange("A0A40000023F00", response), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(response, "");
    ASSERT_EQ(m_host.commands.size(), 1u);
    EXPECT_EQ(m_host.commands[0], "A0A40000023F00");
}

TEST_F(CardEndToEndTest, CardPulledDuringConnectionThenAFreshConnect) {
    StartCard();
    Connect();
    EXPECT_EQ(Send("A0A40000023F00").substr(0, 2), "9F");
    ASSERT_TRUE(m_pPcscd->StopCard(true));
    std::string response;
    const LONG code = m_pReader->Exchange("A0A40000023F00", response);
    EXPECT_TRUE(code == SCARD_W_REMOVED_CARD || code == SCARD_E_NOT_TRANSACTED) << std::hex << code;
    EXPECT_EQ(m_host.commands.size(), 2u);  // the failed exchange is traced too

    PlugCardBackAndReconnect();
    EXPECT_EQ(Send("A0A40000023F00").substr(0, 2), "9F");
}
// A stopped service: the exchange gives no answer but still a record, the connection
// counts as ended, and a restarted service accepts a fresh connect.
TEST_F(CardEndToEndTest, StoppedDaemonGivesAnEmptyAnswerAndARestartedOneConnects) {
    StartCard();
    Connect();
    ASSERT_TRUE(m_pPcscd->StopDaemon());
    std::string response = "stale";
    const LONG code = m_pReader->Exchange("A0B0000009", response);
    EXPECT_NE(code, SCARD_S_SUCCESS);
    EXPECT_EQ(response, "") << std::hex << code;
    EXPECT_EQ(m_host.responses, std::vector<std::string>{""});
    EXPECT_NE(m_pReader->Disconnect(), SCARD_S_SUCCESS);
    EXPECT_FALSE(m_pReader->IsConnected());

    std::string error;
    ASSERT_TRUE(m_pPcscd->StartDaemon(&error)) << error;
    ASSERT_TRUE(m_pPcscd->WaitForCard(true));
    Connect();
    EXPECT_EQ(Send("A0A40000023F00").substr(0, 2), "9F");
}
