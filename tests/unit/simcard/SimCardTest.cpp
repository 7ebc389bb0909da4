// SPDX-License-Identifier: GPL-3.0-or-later
// The APDU processor as transcripts: each command with the answer it must get, on a fresh
// card of the test profile per transcript (the words of Play() set the card up); then the
// test mode that makes the card misbehave.

#include "Misbehaviour.h"
#include "SimCardFixture.h"

namespace {

void ExpectTranscripts(const std::vector<std::string>& transcripts) {
    for (const std::string& transcript : transcripts) {
        SCOPED_TRACE(transcript);
        CSimCard card(ParseOrDie(TestProfileText()));
        Play(card, transcript);
    }
}

std::string Times(int count, const std::string& step) {
    std::string steps;
    for (int i = 0; i < count; ++i) steps += step;
    return steps;
}

// STATUS of the MF up to its CHV1 status byte and that of UNBLOCK CHV1, which follow.
const std::string Chv1Status = "A0F2000014 > 0000 0200 3F00 01 0000000000 0A 00 02 02 05 00 ";
const std::string Wrong = "A020000108 39393939FFFFFFFF > 9804; ";
const std::string Block = Wrong + Wrong + "A020000108 39393939FFFFFFFF > 9840; ";

const std::string Adn = "CHV1 3F00 7F10 6F3A;";  // linear fixed, 3 records of 4 bytes

TEST(SimCard, AnswersEachTranscript) {
    ExpectTranscripts({
        // The class comes before everything else, then the instruction. A command that sends
        // data may end in the Le byte of ISO clients (the transcripts below send one with each
        // such instruction); commands that answer data or send none are never cut.
        " > 6700; A0A400 > 6700; A0C00000 > 6F00; 00A4000002 3F00 > 6E00; A1B0000001 > 6E00;"
        "80FF0000 > 6E00; A0FF000000 > 6D00; A0A5000002 3F00 > 6D00; A0FA0000 > 9000;"
        "A0FA010000 > 6B00; A0FA000001 00 > 6700; A0FA000000 00 > 6700; A0A4000002 3F00 00 > 9F17;"
        "A0A4000002 3F00 0000 > 6700; A0C0000017 00 > 6700; A0F2000017 00 > 6700;"
        "A0F2000000 00 > 6700",
        "3F00 7F20 6F78; A0D6000010" + std::string(2000, 'A') + " > 6700; A0B0000002 > 0002 9000",
        // The layouts: directories with their counts, EFs with size, access and structure.
        "3F00 7F20; A0C0000017 > 0000 0000 7F20 02 0000000000 0A 00 01 05 05 00 83 8A 83 8A 00"
        "9000; 6F07; A0C000000F > 0000 0009 6F07 04 00 14 F0 14 01 02 00 00 9000; 6F39;"
        "A0C000000F > 0000 0006 6F39 04 40 11 10 44 01 02 03 03 9000; 7F10 6F3A;"
        "A0C000000F > 0000 000C 6F3A 04 00 11 F0 22 01 02 01 04 9000",
        // From a DF: its EFs and DFs, its parent, DFs beside it, the MF, itself; never an EF
        // of a DF above, below or beside, nor an unknown id. A DF drops the current EF.
        "3F00 7F20 5F30; A0A4000002 7F10 > 9404; A0A4000002 4F20 > 9F0F; A0A4000002 3F00 > 9F17;"
        "7F20 5F30; A0A4000002 7F20 > 9F17; A0A4000002 2FE2 > 9404; A0A4000002 7F20 > 9F17;"
        "A0A4000002 6F07 > 9F0F; A0A4000002 6FAE > 9F0F; A0A4000002 7F10 > 9F17;"
        "A0A4000002 6F07 > 9404; A0A4000002 1234 > 9404; 7F20 6F07 7F20; A0B0000001 > 9400;"
        "3F00; A0A4000002 6F07 > 9404; A0A4010002 3F00 > 6B00; A0A4000003 3F0000 > 6700;"
        "A0A4000002 3F > 6700",
        // A failed SELECT keeps the current files; a reset goes back to the MF.
        "3F00 7F20 6FAE; A0A4000002 6F3A > 9404; A0B0000001 > 02 9000;"
        "A0F2000006 > 0000 0000 7F20 9000; A0A4000002 6FAE > 9F0F; reset; A0C000000F > 6F00;"
        "A0B0000001 > 9400; A0F2000006 > 0000 0200 3F00 9000",
        // GET RESPONSE: a prefix or the available length, until another command. STATUS
        // describes the current directory, even with an EF selected.
        "A0C000000F > 6F00; A0A4000002 3F00 > 9F17; A0C0000006 > 0000 0200 3F00 9000;"
        "A0C0000020 > 6717; A0C0000000 > 6717;"
        "A0C0000017 > 0000 0200 3F00 01 0000000000 0A 00 02 02 05 00 83 8A 83 8A 00 9000;"
        "A0F2000001 > 00 9000; A0C0000017 > 6F00; A0A4000002 3F00 > 9F17;"
        "A0A4000002 9999 > 9404; A0C0000017 > 6F00; 7F10 6F3A; A0F2000006 > 0000 0100 7F10 9000;"
        "A0F2000030 > 6717; A0F2000100 > 6B00",
        "A0B0000001 > 9400; A0D6000001 00 > 9400; 3F00 2FE2;"
        "A0B000000A > 98 00 01 01 00 00 00 10 32 F4 9000; A0B0000703 > 10 32 F4 9000;"
        "A0B0000901 > F4 9000; A0B0000A01 > 9402; A0B0000902 > 9402; A0B0FF0001 > 9402;"
        "A0B0000000 > 9402; A0B00000 > 9402; A0B0000001 00 > 6700; A0B0000000 00 > 6700;"
        "ADM; A0D6000001 00 > 9804",  // NEV, even for the administrator
        "CHV1 3F00 7F10 6F3A; A0B0000001 > 9408; A0D6000001 00 > 9408",
        "3F00 7F20 6F07; A0B0000009 > 9804; CHV1; A0B0000009 > 08 09 10 10 10 32 54 76 98 9000;"
        "A0D6000001 09 > 9804; ADM; A0D6000001 09 00 > 9000",
        "3F00 7F20 6F7B; A0B0000001 > 9804; CHV2; A0B0000007 > 0141202331FF FF 9000",
        // ADM stands for every administrative level.
        "3F00 6F01; A0B0000001 > 9804; ADM; A0B0000001 > FF 9000; A0D6000001 01 > 9000",
        // Refused updates change nothing; a good one is kept and reported once.
        "3F00 7F20 6F78; A0D6000102 AABB > 9402; A0D6010000 > 9402; A0D6000002 AA > 6700;"
        "A0D6000001 AABBCC > 6700; A0B0000002 > 0002 9000; same; A0D6000101 07 > 9000;"
        "A0B0000002 > 0007 9000; changed; same",
        // The current record while the pointer is undefined, numbers beyond the last; SEEK
        // matches the start of a record, its type, mode, P1 and length. NEXT ignores the number.
        Adn + "A0B2000404 > 9402; A0B2040404 > 9402; A0B2FF0404 > 9402; A0B2000504 > 6B00;"
              "A0B2010403 > 6700; A0B2010405 > 6700; A0DC010403 AABBCC > 6700;"
              "A0DC010404 AABBCC > 6700; A0A2000002 2233 > 9404; A0A2001001 99 > 9404;"
              "A0A2002001 11 > 6B00; A0A2000401 11 > 6B00; A0A2010001 11 > 6B00;"
              "A0A2000000 > 6700; A0A2000005 1111111111 > 6700; A0A2000002 11 > 6700;"
              "A0320000 03 000001 > 9408; A0B2030204 > 11111111 9000; 3F00 2FE2;"
              "A0B2010404 > 9408",
        // Absolute leaves the pointer; NEXT and PREVIOUS stop at the ends and after a
        // reset PREVIOUS starts at the last record.
        Adn + "A0B2020404 > 22222222 9000; A0B2000204 > 11111111 9000;"
              "A0B2000204 > 22222222 9000; A0B2000204 > 11223344 9000; A0B2000204 > 9402;"
              "A0B2000304 > 22222222 9000; A0B2000304 > 11111111 9000; A0B2010304 > 9402;"
              "A0B2000404 > 11111111 9000; A0B2030404 > 11223344 9000;"
              "A0B2000404 > 11111111 9000; reset; CHV1 7F10 6F3A; A0B2000304 > 11223344 9000",
        Adn + "A0DC020404 AAAAAAAA 00 > 9000; A0B2020404 > AAAAAAAA 9000;"
              "A0DC000204 BBBBBBBB > 9000; A0B2000404 > BBBBBBBB 9000;"
              "A0DC000304 CCCCCCCC > 9402; A0B2010404 > BBBBBBBB 9000; changed",
        // Cyclic: written in PREVIOUS mode only, over the oldest record; the newest record
        // is current after SELECT and reads wrap around. No SEEK, INCREASE is NEV here.
        "CHV1 3F00 7F10 6F44; A0DC000202 AAAA > 6B00; A0A2000001 01 > 9408;"
        "A0320000 03 000001 > 9804; A0DC010402 EEEE > 6B00; A0B2000402 > 0101 9000;"
        "A0B2000202 > 0202 9000; A0B2000202 > 0303 9000; A0B2000202 > 0101 9000;"
        "A0B2000302 > 0303 9000; A0DC000302 AAAA > 9000; A0B2010402 > AAAA 9000;"
        "A0B2020402 > 0101 9000; A0B2030402 > 0202 9000; A0DC000302 BBBB > 9000;"
        "A0DC000302 CCCC > 9000; A0B2030402 > AAAA 9000; A0B2000402 > CCCC 9000",
        // SEEK from the start or the next record forward, from the previous one or the end
        // backward; type 2 answers the record number.
        Adn + "A0A2000001 11 > 9000; A0B2000404 > 11111111 9000; A0A2000201 11 > 9000;"
              "A0B2000404 > 11223344 9000; A0A2000201 11 > 9404; A0B2000404 > 11223344 9000;"
              "A0A2000301 11 > 9000; A0B2000404 > 11111111 9000; A0A2000101 22 > 9000;"
              "A0B2000404 > 22222222 9000; A0A2000002 1122 00 > 9000;"
              "A0B2000404 > 11223344 9000; A0A2001101 11 > 9F01; A0C0000001 > 03 9000",
        // INCREASE: the new value and the added one; carry, and no step past the maximum.
        "3F00 7F20 6F39; A0320000 03 000001 > 9804; CHV1; A0320000 02 0001 > 6700;"
        "A0320100 03 000001 > 6B00; A0320000 03 000003 00 > 9F06;"
        "A0C0000006 > 000008 000003 9000; A0B2010403 > 000008 9000; A0B2020403 > 000005 9000;"
        "A0320000 03 0000FF > 9F06; A0B2010403 > 000107 9000; A0320000 03 FFFEF8 > 9F06;"
        "A0320000 03 000001 > 9850; A0B2010403 > FFFFFF 9000; A0B2020403 > 000107 9000; changed",
        // The code number in P2, P1 00, eight or sixteen bytes; DISABLE and ENABLE concern
        // CHV1 only, UNBLOCK takes P2 00 or 02.
        "A020000308 31323334FFFFFFFF > 6B00; A020010108 31323334FFFFFFFF > 6B00;"
        "A020000107 31323334FFFFFF > 6700; A020000108 31323334 > 6700;"
        "A024000310 31323334FFFFFFFF 34333231FFFFFFFF > 6B00;"
        "A024000108 31323334FFFFFFFF > 6700; A026000208 35363738FFFFFFFF > 6B00;"
        "A028000208 35363738FFFFFFFF > 6B00; A026000107 31323334FFFFFF > 6700;"
        "A02C000110 3132333435363738 34333231FFFFFFFF > 6B00",
        // Wrong codes count down, a right one resets the count, the third wrong one blocks;
        // the counter lasts.
        Wrong + Wrong + Chv1Status + "81 8A 9000; A020000108 31323334FFFFFFFF 00 > 9000;" +
            Chv1Status + "83 8A 9000; reset;" + Block + Chv1Status + "80 8A 9000;" +
            "A020000108 31323334FFFFFFFF > 9840; 7F20 6F07; A0B0000001 > 9804; changed",
        // UNBLOCK sets the new code and counts as presenting it; it can be blocked itself.
        Block + "A02C000010 3132333435363738 34333231FFFFFFFF 00 > 9000;" + Chv1Status +
            "83 8A 9000; 7F20 6F07; A0B0000001 > 08 9000; reset;"
            "A020000108 31323334FFFFFFFF > 9804; A020000108 34333231FFFFFFFF > 9000;" +
            Block + Times(9, "A02C000010 39393939FFFFFFFF 34333231FFFFFFFF > 9804;") + Chv1Status +
            "80 81 9000; A02C000010 39393939FFFFFFFF 34333231FFFFFFFF > 9840;" +
            "A02C000010 3132333435363738 34333231FFFFFFFF > 9840;" + Chv1Status + "80 80 9000",
        // CHANGE and UNBLOCK of CHV2 set the code for the next session.
        "A024000110 39393939FFFFFFFF 34333231FFFFFFFF > 9804;"
        "A024000110 31323334FFFFFFFF 34333231FFFFFFFF 00 > 9000;" +
            Chv1Status + "83 8A 9000; A02C000210 3837363534333231 34333231FFFFFFFF > 9000;" +
            "reset; A020000108 34333231FFFFFFFF > 9000; A020000208 34333231FFFFFFFF > 9000",
        // A disabled CHV1 counts as fulfilled and contradicts VERIFY, DISABLE and CHANGE.
        "A026000108 39393939FFFFFFFF > 9804; A026000108 31323334FFFFFFFF 00 > 9000;"
        "A0F200000E > 0000 0200 3F00 01 0000000000 0A 80 9000; reset; 7F20 6F07;"
        "A0B0000001 > 08 9000; A020000108 31323334FFFFFFFF > 9808;"
        "A026000108 31323334FFFFFFFF > 9808;"
        "A024000110 31323334FFFFFFFF 34333231FFFFFFFF > 9808;"
        "A028000108 31323334FFFFFFFF 00 > 9000; A028000108 31323334FFFFFFFF > 9808; 3F00;"
        "A0F200000E > 0000 0200 3F00 01 0000000000 0A 00 9000; reset; 7F20 6F07;"
        "A0B0000001 > 9804",
        // ADM is never blocked; a new session forgets the verified codes.
        Times(12, "A020000A08 0B0B0B0B0B0B0B0B > 9804;") +
            "ADM; CHV1; 7F20 6FAE; A0D6000001 03 > 9000; reset; 7F20 6F07; A0B0000001 > 9804;"
            "6FAE; A0D6000001 03 > 9804",
        // INVALIDATE needs ADM and REHABILITATE CHV1 here; an invalidated file refuses reading
        // and updating unless it may be used so, and shows in the file status byte.
        "A004000000 > 9400; A044000000 > 9400; 3F00 7F20 6FAE; A004000000 00 > 6700;"
        "A044010000 > 6B00; 6F07; A004000000 > 9804; A044000000 > 9804; ADM;"
        "A004000000 > 9000; changed; A044000000 > 9804; reset; CHV1 7F20 6F07;"
        "A004000000 > 9804; ADM; A0B0000001 > 9810; A0D6000001 08 > 9810;"
        "A0A4000002 6F07 > 9F0F; A044000000 > 9000; changed; A0B0000001 > 08 9000; 6F78;"
        "A004000000 > 9000; A0B0000002 > 0002 9000; A0D6000001 01 > 9000;"
        "A0A4000002 6F78 > 9F0F; A0C000000F > 0000 0002 6F78 04 00 00 F0 00 04 02 00 00 9000",
        // RUN GSM ALGORITHM: P1 P2 00, sixteen bytes of RAND, DF GSM or below it, then CHV1.
        "3F00 7F20; A088000010 00112233445566778899AABBCCDDEEFF > 9804; CHV1;"
        "A08800000F 00112233445566778899AABBCCDDEE > 6700;"
        "A088010010 00112233445566778899AABBCCDDEEFF > 6B00; 3F00;"
        "A088000010 00112233445566778899AABBCCDDEEFF > 9408; 7F10 6F3A;"
        "A088000010 00112233445566778899AABBCCDDEEFF > 9408; 7F20 6F07;"
        "A088000010 00112233445566778899AABBCCDDEEFF 00 > 9F0C; 5F30;"
        "A088000010 00112233445566778899AABBCCDDEEFF > 9F0C",
    });
}

// What the transcripts cannot show: a card without codes, and answers compared with each
// other.
TEST(SimCard, AdmWithoutACodeAndTheGsmAnswerDependingOnRandAndKiOnly) {
    CSimCard bare(ParseOrDie("mf 3F00\n"));
    EXPECT_EQ(SendTo(bare, "A020000A08 0A0A0A0A0A0A0A0A"), "9802");  // no code set
    const auto answer = [](CSimCard& card, const std::string& rand) {
        Play(card, "CHV1 3F00 7F20; A088000010" + rand + " > 9F0C");
        return SendTo(card, "A0C000000C");
    };
    CSimCard card(ParseOrDie(TestProfileText()));
    const std::string first = answer(card, "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(answer(card, "0123456789ABCDEF0123456789ABCDEF"), first);
    EXPECT_NE(answer(card, "0123456789ABCDEF0123456789ABCDEE"), first);
    std::string otherKi = TestProfileText();
    otherKi.replace(otherKi.find("ki       00"), 11, "ki       FF");
    CSimCard other(ParseOrDie(otherKi));
    EXPECT_NE(answer(other, "0123456789ABCDEF0123456789ABCDEF"), first);
}

// The card's test mode, which rewrites answers: its option text is tested with the command
// line, the mute card's link with the program.

// Each mode with the transcript of a fresh test card that misbehaves so; "-" is silence.
TEST(Misbehaviour, EachModeRewritesItsCommandsAndLeavesTheOthers) {
    const std::string selectIccid = "A0A4000002 2FE2 > 9F0F;";
    std::string counting;  // 00 01 .. FF
    for (int i = 0; i < 256; ++i) counting += ToHex({std::uint8_t(i)});
    const std::pair<std::string, std::string> modes[] = {
        {"258",
         selectIccid + "A0B0000002 > " + counting + "9000; A0C000000F > " + counting + "9000"},
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
