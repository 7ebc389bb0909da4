// The card's test mode: each misbehaviour as a transcript on the test card, what it leaves
// alone, its option text, and a mute card whose link recovers for the next command.

#include "FakeReader.h"
#include "Misbehaviour.h"
#include "SimCardFixture.h"
#include "VpcdLink.h"

#include <fcntl.h>
#include <unistd.h>
#include <thread>

namespace {

// The transcript's APDUs in turn on a fresh test card that misbehaves as `mode` says;
// an answer of "-" means silence.
void ExpectMisbehaviour(const std::string& mode, const std::string& transcript) {
    CMisbehaviour misbehaviour;
    std::string error;
    ASSERT_TRUE(misbehaviour.Parse(mode, error)) << error;
    CSimCard card(ParseOrDie(TestProfileText()));
    for (const auto& [apdu, expected] : Steps(transcript)) {
        const std::vector<std::uint8_t> command = FromHex(apdu);
        std::vector<std::uint8_t> answer = card.Process(command.data(), command.size());
        const bool bSilent = misbehaviour.Apply(command.data(), command.size(), answer) ==
                             CMisbehaviour::Outcome::Silence;
        EXPECT_EQ(bSilent ? "-" : ToHex(answer), expected) << mode << ": " << apdu;
    }
}

std::string Counting256() {
    std::vector<std::uint8_t> bytes(256);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    return ToHex(bytes);
}

TEST(Misbehaviour, EachModeRewritesItsCommandsAndLeavesTheOthers) {
    const std::string selectIccid = "A0A4000002 2FE2 > 9F0F;";
    ExpectMisbehaviour("258", selectIccid + "A0B0000002 > " + Counting256() +
                                  "9000; A0C000000F > " + Counting256() + "9000");
    ExpectMisbehaviour("9F00", "A0A4000002 2FE2 > 9F00; A0A4000002 0000 > 9F00;"
                               "A0B0000002 > 9800 9000");
    ExpectMisbehaviour("9FFF", "A0A4000002 2FE2 > 9FFF; A0C00000FF > 670F");
    ExpectMisbehaviour("overlong", selectIccid + "A0B0000002 > 9800 EEEEEEEEEEEEEEEE 9000;"
                                                 "A0B000000B > 9402; A0FA0000 > 9000");
    ExpectMisbehaviour("bare-sw", selectIccid + "A0C000000F > 9000; A0B0000002 > 9000");
    ExpectMisbehaviour("61xx", "A0A4000002 2FE2 > 610F; A0C00000FF > 670F; A0FA0000 > 9000");
    ExpectMisbehaviour("6Cxx", selectIccid + "A0C00000FF > 6C0F; A0D6000001 00 > 9804");
    // One instruction only when one is named.
    ExpectMisbehaviour("bare-sw:A4", selectIccid + "A0B0000002 > 9800 9000");
}

TEST(Misbehaviour, SilentStrikesTheFirstCommandItTargetsOnly) {
    ExpectMisbehaviour("silent:B0", "A0A4000002 2FE2 > 9F0F; A0B0000001 > -; A0B0000001 > 98 9000");
}

TEST(Misbehaviour, OptionTextNamesTheModeAndAnInstruction) {
    const std::pair<const char*, const char*> bad[] = {
        {"loud", "--misbehave needs one of 258, 9F00, 9FFF, overlong, bare-sw, 61xx, 6Cxx, "
                 "silent, not 'loud'"},
        {"silent:B", "--misbehave silent:INS needs one instruction byte in hex"},
        {"silent:B0B2", "--misbehave silent:INS needs one instruction byte in hex"},
    };
    for (const auto& [text, message] : bad) {
        CMisbehaviour misbehaviour;
        std::string error;
        EXPECT_FALSE(misbehaviour.Parse(text, error)) << text;
        EXPECT_EQ(error, message);
        EXPECT_FALSE(misbehaviour.IsActive());
    }
}

// vpcd waits for an answer without a time limit, so a mute card must drop the link; it then
// connects again and answers the next command.
TEST(Misbehaviour, SilentCardDropsTheLinkAndAnswersAgainAfterReconnecting) {
    CSimCard card(ParseOrDie(TestProfileText()));
    CFakeReader reader;
    ASSERT_TRUE(reader.IsListening());
    CVpcdLink link(card, "127.0.0.1", reader.GetPort(), {0x3B, 0x02, 0x14, 0x50});
    CMisbehaviour misbehaviour;
    std::string error;
    ASSERT_TRUE(misbehaviour.Parse("silent:F2", error));
    link.SetMisbehaviour(misbehaviour);
    int stopPipe[2];
    ASSERT_EQ(::pipe2(stopPipe, O_CLOEXEC), 0);
    std::thread thread([&]() { link.Run(stopPipe[0]); });
    ASSERT_TRUE(reader.Accept());
    ASSERT_TRUE(reader.SendRaw("0005 A0F2000016"));
    EXPECT_TRUE(reader.IsClosedByCard());
    reader.Drop();
    ASSERT_TRUE(reader.Accept());
    const std::string status = reader.Exchange("A0F200000E");
    EXPECT_EQ(status.substr(status.size() - 4), "9000") << status;
    EXPECT_EQ(::write(stopPipe[1], "x", 1), 1);
    thread.join();
    ::close(stopPipe[0]);
    ::close(stopPipe[1]);
}

}  // namespace
