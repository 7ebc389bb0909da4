// The vpcd link against a stand-in reader on a loopback socket: framing, control codes,
// reconnection, and the state saved before the answer goes out.

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <thread>

#include "FakeReader.h"
#include "SimCardFixture.h"
#include "VpcdLink.h"

namespace {

// A loopback port that nobody listens on (for now).
std::uint16_t FreePort() {
    return CFakeReader().GetPort();
}

class VpcdLinkTest : public ::testing::Test {
protected:
    VpcdLinkTest() : m_card(ParseOrDie(TestProfileText())) {}
    void SetUp() override { ASSERT_EQ(::pipe2(m_stopPipe, O_CLOEXEC), 0); }
    void TearDown() override {
        Stop();
        ::close(m_stopPipe[0]);
        ::close(m_stopPipe[1]);
    }
    void Start(std::uint16_t port) {
        m_pLink = std::make_unique<CVpcdLink>(m_card, "127.0.0.1", port,
                                              std::vector<std::uint8_t>{0x3B, 0x02, 0x14, 0x50});
        m_pLink->SetOnChanged([this]() { ++m_nSaves; });
        m_thread = std::thread([this]() { m_nResult = m_pLink->Run(m_stopPipe[0]); });
    }
    // Ends the link and gives it a fresh stop pipe for another start.
    void Stop() {
        if (!m_thread.joinable()) return;
        char byte = 1;
        ASSERT_EQ(::write(m_stopPipe[1], &byte, 1), 1);
        m_thread.join();
        ::close(m_stopPipe[0]);
        ::close(m_stopPipe[1]);
        ASSERT_EQ(::pipe2(m_stopPipe, O_CLOEXEC), 0);
    }

    CSimCard m_card;
    int m_stopPipe[2] = {-1, -1};
    std::unique_ptr<CVpcdLink> m_pLink;
    std::thread m_thread;
    int m_nResult = -1;
    std::atomic<int> m_nSaves{0};
};

TEST_F(VpcdLinkTest, AnswersAtrApdusAndControlCodes) {
    CFakeReader reader;
    ASSERT_TRUE(reader.IsListening());
    Start(reader.GetPort());
    ASSERT_TRUE(reader.Accept());
    EXPECT_EQ(reader.Exchange("04"), "3B021450");
    reader.Exchange("01", false);
    EXPECT_EQ(reader.Exchange("A020000108 31323334FFFFFFFF"), "9000");
    EXPECT_EQ(reader.Exchange("A0A40000027F20"), "9F17");
    reader.Exchange("02", false);                          // reset
    EXPECT_EQ(reader.Exchange("A0A40000026F07"), "9404");  // back at the MF
    reader.Exchange("00", false);                          // power off and on
    reader.Exchange("01", false);
    EXPECT_EQ(reader.Exchange("A0A40000027F20"), "9F17");
    EXPECT_EQ(reader.Exchange("A0A40000026F07"), "9F0F");
    EXPECT_EQ(reader.Exchange("A0B0000001"), "9804");  // CHV1 forgotten
    Stop();
    EXPECT_EQ(m_nResult, 0);
}

TEST_F(VpcdLinkTest, ReconnectsWhenTheReaderGoesAway) {
    CFakeReader reader;
    Start(reader.GetPort());
    ASSERT_TRUE(reader.Accept());
    EXPECT_EQ(reader.Exchange("A0A40000027F20"), "9F17");
    reader.Drop();
    ASSERT_TRUE(reader.Accept());
    EXPECT_EQ(reader.Exchange("04"), "3B021450");
    EXPECT_EQ(reader.Exchange("A0F2000006"), "000002003F009000");
}

TEST_F(VpcdLinkTest, StopsOrConnectsWhileWaitingForTheReader) {
    const std::uint16_t port = FreePort();
    Start(port);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Stop();
    EXPECT_EQ(m_nResult, 0);
    Start(port);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    CFakeReader reader(port);
    ASSERT_TRUE(reader.IsListening());
    ASSERT_TRUE(reader.Accept());
    EXPECT_EQ(reader.Exchange("04"), "3B021450");
}

TEST_F(VpcdLinkTest, ChangeIsSavedBeforeTheAnswer) {
    CFakeReader reader;
    Start(reader.GetPort());
    ASSERT_TRUE(reader.Accept());
    reader.Exchange("A0A40000027F20");
    reader.Exchange("A0A40000026F78");
    EXPECT_EQ(m_nSaves, 0);
    EXPECT_EQ(reader.Exchange("A0D6000001 05"), "9000");
    EXPECT_EQ(m_nSaves, 1);  // already counted when the answer arrived
    EXPECT_EQ(reader.Exchange("A0B0000001"), "059000");
    EXPECT_EQ(m_nSaves, 1);
}

}  // namespace
