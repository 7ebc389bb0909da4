// The APDU frame: class, instruction, length errors, the trailing Le of ISO clients, SLEEP,
// and random APDUs that must always get a status word.

#include <random>

#include "SimCardFixture.h"

namespace {

using SimCardApdu = SimCardTest;

TEST_F(SimCardApdu, FrameErrorsAndSleep) {
    ExpectAnswers("", " > 6700; A0 > 6700; A0A400 > 6700");  // fewer than four bytes
    // The class comes before everything else; then the instruction.
    ExpectAnswers("", "00A4000002 3F00 > 6E00; A1B0000001 > 6E00; 80FF0000 > 6E00");
    ExpectAnswers("", "A0FF000000 > 6D00; A0CA000000 > 6D00; A0A5000002 3F00 > 6D00");
    ExpectAnswers("", "A0FA0000 > 9000; A0A40000 > 6700; A0C00000 > 6F00");  // four bytes: P3 00
    ExpectAnswers("", "A0FA000000 > 9000; A0FA010000 > 6B00; A0FA000001 00 > 6700");  // SLEEP
    ExpectAnswers("3F00", "A0C0000017 00 > 6700; A0F2000017 00 > 6700");  // case 2: no data
}

// A command that sends data may carry one Le byte after it, as ISO clients write case 4:
// the card answers as without it. One byte more is still a wrong length.
TEST_F(SimCardApdu, TrailingLeAfterCommandDataIsDropped) {
    const std::string chv1 = " 31323334FFFFFFFF", other = " 34333231FFFFFFFF";
    const std::pair<std::string, std::string> commands[] = {
        {"", "A0A4000002 3F00 > 9F17"},
        {"3F00 7F20 6F78", "A0D6000001 05 > 9000"},
        {"CHV1 3F00 7F10 6F3A", "A0DC010404 AABBCCDD > 9000"},
        {"CHV1 3F00 7F10 6F3A", "A0A2000001 22 > 9000"},
        {"CHV1 3F00 7F20 6F39", "A032000003 000001 > 9F06"},
        {"", "A020000108" + chv1 + " > 9000"},
        {"", "A024000110" + chv1 + other + " > 9000"},
        {"", "A026000108" + chv1 + " > 9000"},
        {"", "A028000108" + chv1 + " > 9808"},
        {"", "A02C000010 3132333435363738" + other + " > 9000"},
        {"CHV1 3F00 7F20", "A088000010 00112233445566778899AABBCCDDEEFF > 9F0C"},
    };
    for (const auto& [setup, step] : commands) {
        const std::size_t arrow = step.find('>');
        const std::string apdu = step.substr(0, arrow);
        ExpectAnswers(setup,
                      step + ";" + apdu + "00 " + step.substr(arrow) + ";" + apdu + "0000 > 6700");
    }
    // Commands that answer data or send none are never cut.
    ExpectAnswers("3F00 2FE2", "A0B0000000 00 > 6700; A0F2000000 00 > 6700");
    ExpectAnswers("ADM 3F00 7F20 6FAE", "A004000000 00 > 6700; A0FA000000 00 > 6700");
}

TEST_F(SimCardApdu, LongApduIsRefusedNotOverrun) {
    Prepare(m_card, "3F00 7F20 6F78");
    Run("A0D6000010" + std::string(2000, 'A') + " > 6700; A0B0000002 > 0002 9000");
}

// Random APDUs with the GSM class and real instruction bytes reach every handler with
// every kind of parameter; the card must answer each with a status word of its own kind.
TEST_F(SimCardApdu, RandomApdusAlwaysEndWithAStatusWord) {
    static const std::uint8_t instructions[] = {0xA4, 0xF2, 0xC0, 0xB0, 0xD6, 0xB2, 0xDC,
                                                0xA2, 0x32, 0x20, 0x24, 0x26, 0x28, 0x2C,
                                                0x04, 0x44, 0x88, 0xFA, 0x00, 0xFF};
    static const std::uint16_t selectable[] = {0x3F00, 0x7F10, 0x7F20, 0x6F3A, 0x6F44,
                                               0x6F07, 0x6F39, 0x6F78, 0x5F30, 0x2FE2};
    std::mt19937 random(20261206);
    std::vector<std::uint8_t> apdu;
    VerifyAdm();
    for (int round = 0; round < 200000; ++round) {
        apdu.clear();
        if (round % 4 == 0) {
            // Keep moving around the tree so that EF commands meet every file.
            std::uint16_t id = selectable[random() % std::size(selectable)];
            apdu = {0xA0, 0xA4, 0x00, 0x00, 0x02, std::uint8_t(id >> 8), std::uint8_t(id)};
        } else {
            std::size_t length = random() % 16 == 0 ? random() % 300 : random() % 24;
            for (std::size_t i = 0; i < length; ++i) apdu.push_back(std::uint8_t(random()));
            if (length > 0 && random() % 8 != 0) apdu[0] = 0xA0;
            if (length > 1) apdu[1] = instructions[random() % std::size(instructions)];
            if (length > 3 && random() % 2) apdu[2] = apdu[3] = 0;
            if (length > 4 && random() % 2) apdu[4] = std::uint8_t(length - 5 - random() % 2);
        }
        const std::vector<std::uint8_t>& answer = m_card.Process(apdu.data(), apdu.size());
        ASSERT_GE(answer.size(), 2u) << ToHex(apdu);
        std::uint8_t sw1 = answer[answer.size() - 2];
        bool known = sw1 == 0x90 || sw1 == 0x9F || sw1 == 0x94 || sw1 == 0x98 || sw1 == 0x67 ||
                     sw1 == 0x6B || sw1 == 0x6D || sw1 == 0x6E || sw1 == 0x6F;
        ASSERT_TRUE(known) << ToHex(apdu) << " -> " << ToHex(answer);
        ASSERT_TRUE(sw1 == 0x90 || answer.size() == 2u) << ToHex(apdu) << " -> " << ToHex(answer);
        ASSERT_LE(answer.size(), 258u);
    }
}

}  // namespace
