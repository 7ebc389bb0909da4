#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <PCSC/pcsclite.h>

#include "CardReader.h"
#include "CardReaderHost.h"
#include "FakePcsc.h"
#include "TraceRecord.h"

namespace {

struct TraceLine {
    std::string text;
    std::uint32_t colour;
    bool operator==(const TraceLine& other) const {
        return text == other.text && colour == other.colour;
    }
    friend std::ostream& operator<<(std::ostream& out, const TraceLine& line) {
        return out << line.text << " #" << std::hex << line.colour;
    }
};

// Records what the card reader hands to its window, laid out as the trace shows it.
class CRecordingHost : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override {
        CTraceRecord::ForEachLine(command, response,
                                  [this](std::string_view prefix, std::string_view body, std::uint32_t rgb) {
                                      lines.push_back({std::string(prefix) + std::string(body), rgb});
                                  });
        ++records;
    }
    void ShowCardError() override { ++cardErrors; }

    std::vector<TraceLine> lines;
    int records = 0;
    int cardErrors = 0;
};

const std::string kRule(60, '-');
constexpr std::uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kRed = 0xFF0000;

class CardReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fake().Reset();
        Fake().readerMultiString = std::string("Reader B\0Reader A\0", 18);
    }
    static CFakePcsc& Fake() { return CFakePcsc::Get(); }

    CFakePcsc::Answer Answer(std::vector<BYTE> bytes, LONG code = SCARD_S_SUCCESS) {
        CFakePcsc::Answer answer;
        answer.bytes = std::move(bytes);
        answer.code = code;
        return answer;
    }

    CRecordingHost m_host;
};

}  // namespace

TEST_F(CardReaderTest, ConstructionListsReadersOnceAndDestructionFreesThem) {
    const void* pList = nullptr;
    {
        CCardReader reader;
        EXPECT_EQ(Fake().establishCalls, 1);
        EXPECT_FALSE(reader.IsConnected());
        pList = reader.GetReaderList();
        EXPECT_EQ(CCardReader::SplitReaderList(reader.GetReaderList(), 10),
                  (std::vector<std::string>{"Reader B", "Reader A"}));
        Fake().readerMultiString = std::string("Late reader\0", 12);
        EXPECT_EQ(CCardReader::SplitReaderList(reader.GetReaderList(), 10).size(), 2u);
    }
    EXPECT_EQ(Fake().freeCalls, 1);
    EXPECT_EQ(Fake().freedPointer, pList);
    EXPECT_EQ(Fake().releaseCalls, 1);
}

TEST_F(CardReaderTest, FailedListingLeavesNoListAndNothingToFree) {
    Fake().listCode = SCARD_E_NO_READERS_AVAILABLE;
    {
        CCardReader reader;
        EXPECT_EQ(reader.GetReaderList(), nullptr);
        EXPECT_TRUE(CCardReader::SplitReaderList(reader.GetReaderList(), 10).empty());
    }
    EXPECT_EQ(Fake().freeCalls, 0);
}

TEST_F(CardReaderTest, SplitReaderListStopsAtEmptyNameAndAtMaximum) {
    const std::string twelve = [] {
        std::string list;
        for (int i = 0; i < 12; ++i) list += "R" + std::to_string(i) + '\0';
        return list + '\0';
    }();
    EXPECT_EQ(CCardReader::SplitReaderList(twelve.c_str(), 10).size(), 10u);
    EXPECT_TRUE(CCardReader::SplitReaderList("", 10).empty());
}

TEST_F(CardReaderTest, ConnectUsesSharedT0AndTheChosenReader) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    reader.SetReaderName("Reader A");
    EXPECT_EQ(reader.Connect(), SCARD_S_SUCCESS);
    EXPECT_TRUE(reader.IsConnected());
    EXPECT_EQ(Fake().lastReaderName, "Reader A");
    EXPECT_EQ(Fake().lastShareMode, static_cast<DWORD>(SCARD_SHARE_SHARED));
    EXPECT_EQ(Fake().lastPreferredProtocols, static_cast<DWORD>(SCARD_PROTOCOL_T0));
    EXPECT_EQ(m_host.cardErrors, 0);
}

TEST_F(CardReaderTest, ConnectFailureShowsOneCardErrorAndStaysDisconnected) {
    // A gone service is retried once on a fresh context; still gone, it fails like any other.
    for (LONG failure : {SCARD_E_UNKNOWN_READER, SCARD_E_NO_SERVICE}) {
        Fake().connectCode = failure;
        m_host.cardErrors = 0;
        CCardReader reader;
        reader.SetMainWindow(&m_host);
        const int calls = Fake().connectCalls;
        EXPECT_EQ(reader.Connect(), failure);
        EXPECT_EQ(Fake().connectCalls - calls, failure == SCARD_E_NO_SERVICE ? 2 : 1);
        EXPECT_FALSE(reader.IsConnected()) << std::hex << failure;
        EXPECT_EQ(m_host.cardErrors, 1) << std::hex << failure;
    }
}

TEST_F(CardReaderTest, ConnectAfterServiceRestartRetriesOnAFreshContext) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    const int establishedBefore = Fake().establishCalls;
    Fake().connectCodes = {SCARD_E_NO_SERVICE, SCARD_S_SUCCESS};
    EXPECT_EQ(reader.Connect(), SCARD_S_SUCCESS);
    EXPECT_TRUE(reader.IsConnected());
    EXPECT_EQ(Fake().establishCalls, establishedBefore + 1);
    EXPECT_EQ(Fake().connectCalls, 2);
    EXPECT_EQ(m_host.cardErrors, 0);
}

TEST_F(CardReaderTest, DisconnectLeavesTheCardAndEndsTheConnection) {
    CCardReader reader;
    reader.Connect();
    EXPECT_EQ(reader.Disconnect(), SCARD_S_SUCCESS);
    EXPECT_EQ(Fake().lastDisposition, static_cast<DWORD>(SCARD_LEAVE_CARD));
    EXPECT_FALSE(reader.IsConnected());
}

// A connection already gone counts as ended; other failures leave it open.
TEST_F(CardReaderTest, DisconnectFailureEndsTheConnectionOnlyWhenItIsGone) {
    for (LONG code : {SCARD_E_INVALID_HANDLE, SCARD_E_NO_SERVICE, SCARD_E_READER_UNAVAILABLE,
                      SCARD_W_REMOVED_CARD, SCARD_E_NO_SMARTCARD, SCARD_E_SHARING_VIOLATION,
                      SCARD_F_INTERNAL_ERROR, SCARD_E_TIMEOUT}) {
        const bool bGone = code != SCARD_E_SHARING_VIOLATION && code != SCARD_F_INTERNAL_ERROR &&
                           code != SCARD_E_TIMEOUT;
        CCardReader reader;
        reader.Connect();
        Fake().disconnectCode = code;
        EXPECT_EQ(reader.Disconnect(), code);
        EXPECT_EQ(reader.IsConnected(), !bGone) << std::hex << code;
    }
}

TEST_F(CardReaderTest, ExchangeSelectGivesTheFourLineRecord) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    reader.Connect();
    Fake().answers.push_back(Answer({0x9F, 0x16}));
    std::string response = "stale";
    EXPECT_EQ(reader.Exchange("A0A40000023F00", response), SCARD_S_SUCCESS);
    EXPECT_EQ(response, "9F16");
    ASSERT_EQ(Fake().sent.size(), 1u);
    EXPECT_EQ(Fake().sent[0], (std::vector<BYTE>{0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00}));
    EXPECT_EQ(Fake().lastSendPci, SCARD_PCI_T0);
    EXPECT_EQ(Fake().lastTransmitHandle, Fake().nextHandle);
    EXPECT_EQ(m_host.lines, (std::vector<TraceLine>{{kRule, kBlack},
                                                    {"Header=A0A4000002", kBlue},
                                                    {"DataIn=3F00", kBlue},
                                                    {"SW=9F16", kRed}}));
}

TEST_F(CardReaderTest, ExchangeRecordLinesFollowTheTextLengths) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    std::vector<BYTE> data(24, 0x5A);
    data.insert(data.end(), {0x90, 0x00});
    Fake().answers.push_back(Answer(data));
    std::string response;
    reader.Exchange("A0B0000018", response);
    std::string dataOut;
    for (int i = 0; i < 24; ++i) dataOut += "5A";
    EXPECT_EQ(response, dataOut + "9000");
    EXPECT_EQ(m_host.lines, (std::vector<TraceLine>{{kRule, kBlack},
                                                    {"Header=A0B0000018", kBlue},
                                                    {"DataOut=" + dataOut, kRed},
                                                    {"SW=9000", kRed}}));
}

TEST_F(CardReaderTest, ExchangeOfOddAndEmptyCommands) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    std::string response;
    Fake().answers.push_back(Answer({0x90, 0x00}));
    reader.Exchange("A0F200001", response);  // nine characters: four bytes sent
    EXPECT_EQ(Fake().sent.back(), (std::vector<BYTE>{0xA0, 0xF2, 0x00, 0x00}));
    EXPECT_EQ(m_host.lines[1], (TraceLine{"Header=A0F200001", kBlue}));

    m_host.lines.clear();
    Fake().answers.push_back(Answer({0x67, 0x00}));
    reader.Exchange("", response);
    EXPECT_TRUE(Fake().sent.back().empty());
    EXPECT_EQ(m_host.lines, (std::vector<TraceLine>{{kRule, kBlack}, {"Header=", kBlue}, {"SW=6700", kRed}}));
}

TEST_F(CardReaderTest, ExchangeWithoutConnectionUsesTheNullHandleAndIsTraced) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    Fake().answers.push_back(Answer({}, SCARD_E_INVALID_HANDLE));
    std::string response = "old";
    EXPECT_EQ(reader.Exchange("A0F2000016", response), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(Fake().lastTransmitHandle, 0);
    EXPECT_EQ(response, "");
    EXPECT_EQ(m_host.records, 1);
    EXPECT_EQ(m_host.lines.back(), (TraceLine{"SW=", kRed}));
}

TEST_F(CardReaderTest, TransmitFailureWithTheLengthUntouchedGivesNoAnswerButARecord) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    reader.Connect();
    for (LONG failure : {SCARD_E_NO_SERVICE, SCARD_E_SERVICE_STOPPED, SCARD_E_NOT_TRANSACTED,
                         SCARD_W_REMOVED_CARD, SCARD_W_RESET_CARD, SCARD_E_READER_UNAVAILABLE,
                         SCARD_E_INSUFFICIENT_BUFFER, SCARD_F_COMM_ERROR, SCARD_E_TIMEOUT}) {
        CFakePcsc::Answer answer = Answer({}, failure);
        answer.bUntouched = true;
        Fake().answers.push_back(answer);
        m_host.lines.clear();
        std::string response = "stale";
        EXPECT_EQ(reader.Exchange("A0D60000021234", response), failure);
        EXPECT_EQ(response, "") << std::hex << failure;
        EXPECT_EQ(m_host.lines, (std::vector<TraceLine>{{kRule, kBlack},
                                                        {"Header=A0D6000002", kBlue},
                                                        {"DataIn=1234", kBlue},
                                                        {"SW=", kRed}}))
            << std::hex << failure;
    }
}

// Without a window to trace to, the answer still comes back.
TEST_F(CardReaderTest, TransmitReportingMoreThanItWroteNeverReadsPastTheBuffer) {
    CCardReader reader;
    CFakePcsc::Answer answer = Answer({0x90, 0x00});
    answer.reportedLength = 100000;
    Fake().answers.push_back(answer);
    std::string response;
    EXPECT_EQ(reader.Exchange("A0B0000010", response), SCARD_S_SUCCESS);
    EXPECT_EQ(Fake().lastReceiveCapacity, CCardReader::kReceiveBufferSize);
    EXPECT_EQ(response, "9000" + std::string(2 * CCardReader::kReceiveBufferSize - 4, '0'));
}

TEST_F(CardReaderTest, CommandsLongerThan300BytesAreSentWholeWithoutOverrun) {
    CCardReader reader;
    reader.SetMainWindow(&m_host);
    std::string command = "A0D6000000";
    for (int i = 0; i < 700; ++i) command += "C3";
    Fake().answers.push_back(Answer({0x67, 0x00}));
    std::string response;
    reader.Exchange(command, response);
    ASSERT_EQ(Fake().sent.back().size(), 705u);
    EXPECT_EQ(Fake().sent.back().back(), 0xC3);
    EXPECT_EQ(m_host.lines[2].text.size(), std::string("DataIn=").size() + 1400);
}
