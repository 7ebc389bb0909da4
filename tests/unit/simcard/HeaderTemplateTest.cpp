// SPDX-License-Identifier: GPL-3.0-or-later
// Header templates (a twin's headers): the card answers the bytes a profile gives, with the
// fields it keeps itself written over them, and the profile writes them back as read.

#include "SimCardFixture.h"

namespace {

// A directory answering 34 bytes with clock-stop bits and counts of its own, and an EF with
// RFU bits, a record file of two extra bytes and its file status kept live.
const std::string Profile =
    "chv1 31323334FFFFFFFF attempts=2\n"
    "adm 0A0A0A0A0A0A0A0A\n"
    "mf 3F00 free=16 header=" +
    Compact("AAAA 1111 2222 02 BBBBBBBBBB 15 33 07 09 04 CC 00000000 DD 0102030405060708090A0B") +
    "\nef 3F00/6F3A linear record=4 records=2 read=CHV1 update=CHV1 invalidate=ALW "
    "rehabilitate=ALW header=" +
    Compact("AAAA 0000 0000 00 FF 00 0F 00 F2 0C 03 00 EEEE") +
    "\nef 3F00/6F44 cyclic record=3 records=2 read=CHV1 update=CHV1 rehabilitate=RFU header=" +
    Compact("AAAA 0000 0000 00 FF 00 0F 00 F2 0C 03 00 EEEE") + "\n";

TEST(HeaderTemplate, AnswersTheTemplateWithTheLiveFieldsOverIt) {
    const std::vector<std::string> transcripts = {
        // Free memory, id, type, CHV1 enabled and the code states come from the card;
        // counts, RFU bytes, clock-stop bits and the administrative bytes from the template.
        "A0A4000002 3F00 > 9F22; A0C0000022 > AAAA 0010 3F00 01 BBBBBBBBBB 15 33 07 09 04 CC"
        " 82 00 00 00 DD 0102030405060708090A0B 9000",
        // CHV1 disabled sets b8 of the file characteristics, leaving the clock-stop bits.
        "A026000108 31323334FFFFFFFF > 9000; A0F200000E > AAAA 0010 3F00 01 BBBBBBBBBB 15 B3 9000",
        // An EF: size, access, status and structure from the card; the INCREASE fields of
        // a file that is not cyclic, the status byte's other bits and the extra bytes kept.
        // INVALIDATE clears b1 of the status.
        "6F3A; A0C0000011 > AAAA 0008 6F3A 04 FF 11 0F 00 F3 0C 01 04 EEEE 9000;"
        "A004000000 > 9000; A0A4000002 6F3A > 9F11;"
        "A0C0000011 > AAAA 0008 6F3A 04 FF 11 0F 00 F2 0C 01 04 EEEE 9000",
        // A cyclic file's INCREASE bit and condition are the card's.
        "6F44; A0C0000011 > AAAA 0006 6F44 04 BF 11 FF 34 F3 0C 03 03 EEEE 9000",
    };
    for (const std::string& transcript : transcripts) {
        SCOPED_TRACE(transcript);
        CSimCard card(ParseOrDie(Profile));
        Play(card, transcript);
    }
    CSimCard card(ParseOrDie(Profile));
    EXPECT_NE(card.GetProfile().ToText().find(" header=AAAA1111222202BBBBBBBBBB1533070904CC0000"
                                              "0000DD0102030405060708090A0B\n"),
              std::string::npos);
    EXPECT_EQ(ParseOrDie(card.GetProfile().ToText()).ToText(), card.GetProfile().ToText());
}

TEST(HeaderTemplate, RefusesTemplatesTooShortToHoldTheCardsFields) {
    const std::string mf = "mf 3F00\n",
                      ef = mf + "ef 3F00/2FE2 transparent size=2 read=ALW update=ALW";
    const std::pair<std::string, std::string> cases[] = {
        {ef + " header=" + std::string(28, '0') + "\n", "2: header= needs 15 to 255 bytes, not 14"},
        {ef + " header=" + std::string(30, '0') + "\n", ""},
        {ef + " header=" + std::string(512, '0') + "\n",
         "2: header= needs 15 to 255 bytes, not 256"},
        {ef + " header=" + std::string(510, '0') + "\n", ""},
        {"mf 3F00 header=" + std::string(42, '0') + "\n",
         "1: header= needs 22 to 255 bytes, not 21"},
        {mf + "df 3F00/7F10 header=" + std::string(44, '0') + "\n", ""},
        {ef + " header=0G" + std::string(28, '0') + "\n", "2: header= needs hex bytes"},
        {mf + "df 3F00/7F10 header=\n", "2: header= needs 22 to 255 bytes, not 0"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        CSimProfile profile;
        std::string error;
        EXPECT_EQ(profile.Parse(text, "bad.sim", error), message.empty());
        EXPECT_EQ(error, message.empty() ? "" : "bad.sim:" + message);
    }
}

}  // namespace
