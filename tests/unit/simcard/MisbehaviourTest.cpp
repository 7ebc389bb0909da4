// The card's test mode: each misbehaviour as a transcript on the test card and what it
// leaves alone. Its option text is tested with the command line, the mute card's link in
// the link's test.

#include "Misbehaviour.h"
#include "SimCardFixture.h"

namespace {

std::string Counting256() {
    std::vector<std::uint8_t> bytes(256);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    return ToHex(bytes);
}

// Each mode with the transcript of a fresh test card that misbehaves so; "-" is silence.
TEST(Misbehaviour, EachModeRewritesItsCommandsAndLeavesTheOthers) {
    const std::string selectIccid = "A0A4000002 2FE2 > 9F0F;";
    const std::pair<std::string, std::string> modes[] = {
        {"258", selectIccid + "A0B0000002 > " + Counting256() + "9000; A0C000000F > " +
                    Counting256() + "9000"},
        {"9F00", "A0A4000002 2FE2 > 9F00; A0A4000002 0000 > 9F00; A0B0000002 > 9800 9000"},
        {"9FFF", "A0A4000002 2FE2 > 9FFF; A0C00000FF > 670F"},
        {"overlong", selectIccid + "A0B0000002 > 9800 EEEEEEEEEEEEEEEE 9000;"
                                   "A0B000000B > 9402; A0FA0000 > 9000"},
        {"bare-sw", selectIccid + "A0C000000F > 9000; A0B0000002 > 9000"},
        {"61xx", "A0A4000002 2FE2 > 610F; A0C00000FF > 670F; A0FA0000 > 9000"},
        {"6Cxx", selectIccid + "A0C00000FF > 6C0F; A0D6000001 00 > 9804"},
        {"bare-sw:A4", selectIccid + "A0B0000002 > 9800 9000"},               // only the one named
        {"silent:B0", selectIccid + "A0B0000001 > -; A0B0000001 > 98 9000"},  // once only
    };
    for (const auto& [mode, transcript] : modes) {
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
}

}  // namespace
