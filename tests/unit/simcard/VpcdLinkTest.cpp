// The vpcd link against a stand-in reader on a loopback socket: framing, control codes,
// frames that are not APDUs, reconnection, and the state saved before the answer goes out.

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <thread>

#include "FakeReader.h"
#include "SimCardFixture.h"
#include "VpcdLink.h"

namespace {

class VpcdLinkTest : public ::testing::Test {
protected:
    VpcdLinkTest() : m_card(ParseOrDie(TestProfileText())) {}
    void TearDown() override { Stop(); }
    void Start(std::uint16_t port) {
        ASSERT_EQ(::pipe2(m_stopPipe, O_CLOEXEC), 0);
        m_pLink = std::make_unique<CVpcdLink>(m_card, "127.0.0.1", port,
                                              std::vector<std::uint8_t>{0x3B, 0x02, 0x14, 0x50});
        m_pLink->SetOnChanged([this]() { ++m_nSaves; });
        m_thread = std::thread([this]() { m_nResult = m_pLink->Run(m_stopPipe[0]); });
    }
    // Ends the link; its result is 0 after a stop.
    void Stop() {
        if (!m_thread.joinable()) return;
        ASSERT_EQ(::write(m_stopPipe[1], "x", 1), 1);
        m_thread.join();
        ::close(m_stopPipe[0]);
        ::close(m_stopPipe[1]);
        EXPECT_EQ(m_nResult, 0);
    }
    void StartWithReader() {
        ASSERT_TRUE(m_reader.IsListening());
        Start(m_reader.GetPort());
        ASSERT_TRUE(m_reader.Accept());
    }

    CSimCard m_card;
    CFakeReader m_reader;
    int m_stopPipe[2] = {-1, -1};
    std::unique_ptr<CVpcdLink> m_pLink;
    std::thread m_thread;
    int m_nResult = -1;
    std::atomic<int> m_nSaves{0};
};

TEST_F(VpcdLinkTest, AnswersAtrApdusAndControlCodes) {
    StartWithReader();
    EXPECT_EQ(m_reader.Exchange("04"), "3B021450");
    m_reader.Exchange("01", false);
    EXPECT_EQ(m_reader.Exchange("A020000108 31323334FFFFFFFF"), "9000");
    EXPECT_EQ(m_reader.Exchange("A0A40000027F20"), "9F17");
    m_reader.Exchange("02", false);                          // reset
    EXPECT_EQ(m_reader.Exchange("A0A40000026F07"), "9404");  // back at the MF
    m_reader.Exchange("00", false);                          // power off and on
    m_reader.Exchange("01", false);
    EXPECT_EQ(m_reader.Exchange("A0A40000027F20"), "9F17");
    EXPECT_EQ(m_reader.Exchange("A0A40000026F07"), "9F0F");
    EXPECT_EQ(m_reader.Exchange("A0B0000001"), "9804");  // CHV1 forgotten
}

// Only 00, 01, 02 and 04 are control codes; every other frame waits for an answer.
TEST_F(VpcdLinkTest, OneByteAndEmptyFramesAreAnsweredAsCommands) {
    StartWithReader();
    for (const char* frame : {"A0", "03", "05", "FF", ""})
        EXPECT_EQ(m_reader.Exchange(frame), "6700") << frame;
    EXPECT_EQ(m_reader.Exchange("A0A40000027F20"), "9F17");
}

TEST_F(VpcdLinkTest, FrameThatStopsShortOrAReaderThatLeavesMidFrameMeansReconnecting) {
    StartWithReader();
    ASSERT_TRUE(m_reader.SendRaw("0007 A0A400"));  // four bytes announced too many
    EXPECT_TRUE(m_reader.IsClosedByCard());
    ASSERT_TRUE(m_reader.Accept());
    EXPECT_EQ(m_reader.Exchange("A0A40000027F20"), "9F17");
    ASSERT_TRUE(m_reader.SendRaw("00"));  // half a header, then gone
    m_reader.Drop();
    ASSERT_TRUE(m_reader.Accept());
    EXPECT_EQ(m_reader.Exchange("04"), "3B021450");
    EXPECT_EQ(m_reader.Exchange("A0F2000006"), "000002003F009000");  // a fresh session
}

TEST_F(VpcdLinkTest, StopsWhileWaitingForTheReaderOrInsideAFrame) {
    Start(CFakeReader().GetPort());  // nobody listens there
    Stop();
    StartWithReader();
    ASSERT_TRUE(m_reader.SendRaw("0007 A0"));
    Stop();
}

TEST_F(VpcdLinkTest, ChangeIsSavedBeforeTheAnswer) {
    StartWithReader();
    m_reader.Exchange("A0A40000027F20");
    m_reader.Exchange("A0A40000026F78");
    EXPECT_EQ(m_nSaves, 0);
    EXPECT_EQ(m_reader.Exchange("A0D6000001 05"), "9000");
    EXPECT_EQ(m_nSaves, 1);  // already counted when the answer arrived
    EXPECT_EQ(m_reader.Exchange("A0B0000001"), "059000");
    EXPECT_EQ(m_nSaves, 1);
}

}  // namespace
