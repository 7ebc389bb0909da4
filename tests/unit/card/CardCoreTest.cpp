// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <PCSC/pcsclite.h>

#include "CardReader.h"
#include "CardReaderHost.h"
#include "HexText.h"
#include "TraceRecord.h"

// The card core: its hex text, and the card reader, whose source is linked against the
// stand-in for pcsc-lite below, which logs every call and answers from a script: the card
// layer without a daemon.
namespace {

using Calls = std::vector<std::string>;
constexpr LONG kOk = SCARD_S_SUCCESS;
const std::map<std::uint32_t, std::string> kColourNames{
    {0, ""}, {0xFF, " blue"}, {0xFF0000, " red"}};

struct SAnswer {
    // A failure writes neither the buffer nor the length, as pcsc-lite does once the
    // service is gone.
    LONG code = SCARD_S_SUCCESS;
    std::string hex;  // the bytes written
    // When not 0, the receive length handed back: a library that reports more than it wrote.
    DWORD reportedLength = 0;
};

// The stand-in's script and log, and the window the card reader traces to: the card
// error and each record, its lines with their colours' names, go to the log too.
class CFakePcsc : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override {
        std::string record = "Trace";
        CTraceRecord::ForEachLine(command, response, [&record](auto prefix, auto body, auto rgb) {
            record += "|" + std::string(prefix) + std::string(body) + kColourNames.at(rgb);
        });  // at() throws for any other colour
        calls.push_back(record);
    }
    void ShowCardError() override { calls.push_back("Card error"); }

    // One per call while not empty, then success (and for SCardTransmit no bytes).
    std::deque<LONG> listCodes, connectCodes, disconnectCodes;
    std::deque<SAnswer> answers;
    // "Establish 1", "Connect 1 Reader A", "Transmit 9 A0A4...", "Trace|...": contexts
    // count from 1, a connection's handle is 9.
    Calls calls;
    SCARDCONTEXT lastContext = 0;
};

CFakePcsc g_fake;

// The next scripted value; success once the script is used up.
template <typename T>
T Next(std::deque<T>& script) {
    if (script.empty()) return T();
    const T value = script.front();
    script.pop_front();
    return value;
}

class CardReaderTest : public ::testing::Test {
protected:
    // A fresh stand-in and a reader that has listed "Reader B" and "Reader A" on context 1.
    void SetUp() override {
        m_reader.reset();
        g_fake = CFakePcsc();
        m_reader.emplace();
        m_reader->SetMainWindow(&g_fake);
        m_reader->SetReaderName("Reader A");
        g_fake.calls.clear();
    }

    std::optional<CCardReader> m_reader;
};

}  // namespace

extern "C" {

const SCARD_IO_REQUEST g_rgSCardT0Pci = {SCARD_PROTOCOL_T0, sizeof(SCARD_IO_REQUEST)};

LONG SCardEstablishContext(DWORD, LPCVOID, LPCVOID, LPSCARDCONTEXT phContext) {
    *phContext = ++g_fake.lastContext;
    g_fake.calls.push_back("Establish " + std::to_string(*phContext));
    return SCARD_S_SUCCESS;
}

LONG SCardReleaseContext(SCARDCONTEXT hContext) {
    g_fake.calls.push_back("Release " + std::to_string(hContext));
    return SCARD_S_SUCCESS;
}

LONG SCardListReaders(SCARDCONTEXT hContext, LPCSTR, LPSTR mszReaders, LPDWORD pcchReaders) {
    g_fake.calls.push_back("List " + std::to_string(hContext));
    const LONG code = Next(g_fake.listCodes);
    if (code != SCARD_S_SUCCESS || *pcchReaders != SCARD_AUTOALLOCATE) return code;
    const std::string names("Reader B\0Reader A\0", 18);
    char* pList = static_cast<char*>(std::malloc(names.size() + 1));
    std::memcpy(pList, names.c_str(), names.size() + 1);
    *reinterpret_cast<char**>(mszReaders) = pList;
    return code;
}

// Frees with free(), so the sanitizers report a list freed twice, never or by another pointer.
LONG SCardFreeMemory(SCARDCONTEXT hContext, LPCVOID pvMem) {
    g_fake.calls.push_back("Free " + std::to_string(hContext));
    std::free(const_cast<void*>(pvMem));
    return SCARD_S_SUCCESS;
}

// A card that speaks T=0 only, and is never reset by a disconnect.
LONG SCardConnect(SCARDCONTEXT hContext, LPCSTR szReader, DWORD dwShareMode,
                  DWORD dwPreferredProtocols, LPSCARDHANDLE phCard, LPDWORD) {
    g_fake.calls.push_back("Connect " + std::to_string(hContext) + " " + szReader);
    if (dwShareMode != SCARD_SHARE_SHARED || dwPreferredProtocols != SCARD_PROTOCOL_T0)
        return SCARD_E_INVALID_VALUE;
    const LONG code = Next(g_fake.connectCodes);
    if (code == SCARD_S_SUCCESS) *phCard = 9;
    return code;
}

LONG SCardDisconnect(SCARDHANDLE hCard, DWORD dwDisposition) {
    g_fake.calls.push_back("Disconnect " + std::to_string(hCard));
    return dwDisposition == SCARD_LEAVE_CARD ? Next(g_fake.disconnectCodes) : SCARD_E_INVALID_VALUE;
}

LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci, LPCBYTE pbSendBuffer,
                   DWORD cbSendLength, SCARD_IO_REQUEST*, LPBYTE pbRecvBuffer,
                   LPDWORD pcbRecvLength) {
    g_fake.calls.push_back("Transmit " + std::to_string(hCard) + " " +
                           BytesToHex(pbSendBuffer, cbSendLength));
    const SAnswer answer = Next(g_fake.answers);
    if (pioSendPci != SCARD_PCI_T0) return SCARD_E_PROTO_MISMATCH;
    if (answer.code != SCARD_S_SUCCESS) return answer.code;
    const DWORD written = std::min<DWORD>(answer.hex.size() / 2, *pcbRecvLength);
    HexToBytes(answer.hex.substr(0, 2 * written), pbRecvBuffer);
    *pcbRecvLength = answer.reportedLength != 0 ? answer.reportedLength : written;
    return SCARD_S_SUCCESS;
}

}  // extern "C"

// The names stop at the empty one or at the maximum; a reader whose listing fails (on
// context 2) has no names and nothing to free.
TEST_F(CardReaderTest, ListsTheReadersOnceAtStartAndFreesThemAtTheEnd) {
    EXPECT_EQ(CCardReader::SplitReaderList(m_reader->GetReaderList(), 10),
              (std::vector<std::string>{"Reader B", "Reader A"}));
    EXPECT_EQ(CCardReader::SplitReaderList(m_reader->GetReaderList(), 1).size(), 1u);
    m_reader.reset();
    g_fake.listCodes = {SCARD_E_NO_READERS_AVAILABLE};
    EXPECT_TRUE(CCardReader::SplitReaderList(CCardReader().GetReaderList(), 10).empty());
    EXPECT_EQ(g_fake.calls, (Calls{"Free 1", "Release 1", "Establish 2", "List 2", "Release 2"}));
}

// A gone service is retried once on a fresh context; still gone, it fails like any other
// failure: one card error and no connection.
TEST_F(CardReaderTest, ConnectRetriesOnAFreshContextOnlyWhenTheServiceWasGone) {
    const Calls retried{"Connect 1 Reader A", "Release 1", "Establish 2", "Connect 2 Reader A"};
    Calls failedAgain = retried;
    failedAgain.push_back("Card error");
    const struct {
        std::deque<LONG> codes;
        LONG result;
        Calls calls;
    } cases[] = {
        {{}, kOk, {"Connect 1 Reader A"}},
        {{SCARD_E_UNKNOWN_READER}, SCARD_E_UNKNOWN_READER, {"Connect 1 Reader A", "Card error"}},
        {{SCARD_E_NO_SERVICE}, kOk, retried},
        {{SCARD_E_INVALID_HANDLE}, kOk, retried},
        {{SCARD_E_SERVICE_STOPPED, SCARD_E_NO_SERVICE}, SCARD_E_NO_SERVICE, failedAgain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        g_fake.connectCodes = c.codes;
        EXPECT_EQ(m_reader->Connect(), c.result);
        EXPECT_EQ(g_fake.calls, c.calls);
        EXPECT_EQ(m_reader->IsConnected(), c.result == kOk);
    }
}

// A connection already gone counts as ended; other failures leave it open.
TEST_F(CardReaderTest, DisconnectEndsTheConnectionUnlessItFailedWithTheCardStillThere) {
    for (LONG code : {kOk, SCARD_E_INVALID_HANDLE, SCARD_E_NO_SERVICE, SCARD_E_SERVICE_STOPPED,
                      SCARD_E_READER_UNAVAILABLE, SCARD_W_REMOVED_CARD, SCARD_E_NO_SMARTCARD,
                      SCARD_E_SHARING_VIOLATION, SCARD_F_INTERNAL_ERROR, SCARD_E_TIMEOUT}) {
        const bool bKept = code == SCARD_E_SHARING_VIOLATION || code == SCARD_F_INTERNAL_ERROR ||
                           code == SCARD_E_TIMEOUT;
        m_reader->Connect();
        g_fake.disconnectCodes = {code};
        EXPECT_EQ(m_reader->Disconnect(), code);
        EXPECT_EQ(m_reader->IsConnected(), bKept) << std::hex << code;
        EXPECT_EQ(g_fake.calls.back(), "Disconnect 9");
    }
}

// Each exchange sends the command's bytes as typed, gives the card's answer as hex text
// (empty when the transmit failed) and is traced either way.
TEST_F(CardReaderTest, ExchangeSendsAnswersAndTracesEachApdu) {
    const std::string data(512, 'A');  // with the status word, the largest T=0 answer
    const std::string longCommand = "A0D6000000" + std::string(1400, 'C');
    const struct {
        std::string command;
        LONG code;
        std::string answer;
        std::string trace;  // after the rule line
    } cases[] = {
        {"A0A40000023F00", kOk, "9F16", "Header=A0A4000002 blue|DataIn=3F00 blue|SW=9F16 red"},
        {"A0B0000000", kOk, data + "9000",
         "Header=A0B0000000 blue|DataOut=" + data + " red|SW=9000 red"},
        {"A0F200001", kOk, "9000", "Header=A0F200001 blue|SW=9000 red"},  // four bytes sent
        // A one-byte answer is all status word; one byte more than the status word is data.
        {"A0C0000001", kOk, "6F", "Header=A0C0000001 blue|SW=6F red"},
        {"A0C0000001", kOk, "AB9000", "Header=A0C0000001 blue|DataOut=AB red|SW=9000 red"},
        {longCommand, kOk, "6700",
         "Header=A0D6000000 blue|DataIn=" + longCommand.substr(10) + " blue|SW=6700 red"},
        {"A0D60000021234", SCARD_E_NO_SERVICE, "",
         "Header=A0D6000002 blue|DataIn=1234 blue|SW= red"},
    };
    m_reader->Connect();
    for (const auto& c : cases) {
        g_fake.answers = {{c.code, c.answer}};
        g_fake.calls.clear();
        std::string response = "stale";
        EXPECT_EQ(m_reader->Exchange(c.command, response), c.code);
        EXPECT_EQ(response, c.answer);
        const std::size_t sent = c.command == "A0F200001" ? 8 : c.command.size();
        EXPECT_EQ(g_fake.calls, (Calls{"Transmit 9 " + c.command.substr(0, sent),
                                       "Trace|" + std::string(60, '-') + "|" + c.trace}));
    }
}

// Without a connection the null handle goes; without a window to trace to, the answer
// still comes back.
TEST_F(CardReaderTest, TransmitReportingMoreThanItWroteNeverReadsPastTheBuffer) {
    m_reader->SetMainWindow(nullptr);
    g_fake.answers = {{kOk, "9000", 100000}};
    std::string response;
    EXPECT_EQ(m_reader->Exchange("A0B0000010", response), kOk);
    EXPECT_EQ(response, "9000" + std::string(2 * CCardReader::kReceiveBufferSize - 4, '0'));
    EXPECT_EQ(g_fake.calls, Calls{"Transmit 0 A0B0000010"});
}

// Half the text's length rounded up is written, and not a byte more; a character that is
// not an upper-case digit is a zero nibble, in its place.
TEST(HexText, HexToBytesReadsPairsFromTheFirstCharacter) {
    const struct {
        const char* text;
        const char* bytes;  // then the untouched guard byte EE
    } cases[] = {
        {"", "EE"},           {"A0A4000002", "A0A4000002EE"},
        {"ABC", "ABC0EE"},    {"A0 A4", "A00A40EE"},
        {"a0a4", "0004EE"},   {"9G1f", "9010EE"},
        {"\xFF\x80", "00EE"},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes((std::strlen(c.text) + 1) / 2 + 1, 0xEE);
        HexToBytes(c.text, bytes.data());
        EXPECT_EQ(BytesToHex(bytes.data(), bytes.size()), c.bytes) << c.text;
    }
}

// File size / record length, truncated to 8 bits; a missing or zero divisor gives 0.
TEST(HexText, QuotientOfFileSizeAndRecordLengthNeverFaults) {
    const struct {
        const char* size;
        const char* divisor;
        int quotient;
    } cases[] = {
        {"00B0", "1C", 6}, {"06E0", "B0", 10}, {"0100", "01", 0}, {"FFFF", "FF", 1},
        {"00B0", "00", 0}, {"00B0", "", 0},    {"", "1C", 0},     {"B", "1C", 0xB000 / 0x1C % 256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexQuotient(c.size, c.divisor), c.quotient) << c.size << " / " << c.divisor;
}
