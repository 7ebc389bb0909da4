// SPDX-License-Identifier: GPL-3.0-or-later
// Twins: a dump of the twin equals the dump it was made from, for the shipped card, for
// code states and invalidated files, and for headers the virtual card would not build
// itself; codes come from the codes file or the defaults, and the twin says which.

#include "TwinFixture.h"

namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(TwinBuilder, ADumpOfTheTwinEqualsTheDumpItWasMadeFrom) {
    const std::string base = DefaultProfileText();
    const std::string spn =
        "ef 3F00/7F20/6F46 transparent size=17 read=ALW update=ADM "
        "invalidate=ADM rehabilitate=ADM";
    const struct {
        const char* name;
        std::string profile;
    } cases[] = {
        {"the shipped card", base},
        {"CHV1 disabled, CHV2 with one attempt left",
         Replaced(
             Replaced(base, "31323334FFFFFFFF attempts=3", "31323334FFFFFFFF attempts=3 disabled"),
             "35363738FFFFFFFF attempts=3", "35363738FFFFFFFF attempts=1")},
        {"an invalidated file", Replaced(base, spn, spn + " invalidated")},
        {"an invalidated file still usable",
         Replaced(base, spn, spn + " invalidated usable-when-invalidated")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CCardDump original = DumpOf(c.profile);
        const std::string twin = TwinOf(original);
        // The virtual card's own headers need no template.
        EXPECT_EQ(Count(twin, "header="), 0u) << twin;
        const CDumpDiff diff(original, DumpOf(twin));
        EXPECT_TRUE(diff.IsSame()) << Lines(diff.Lines());
    }
}

TEST(TwinBuilder, KeepsTheHeaderBytesOfAnotherCard) {
    CCardDump original = DumpOf(DefaultProfileText());
    // DF GSM with clock-stop bits and eleven bytes of administrative data; an EF whose
    // INCREASE nibble is 0, as many cards answer for a transparent file.
    CDumpedFile* pGsm = original.Find("3F00\\7F20");
    CDumpedFile* pSpn = original.Find("3F00\\7F20\\6F46");
    ASSERT_TRUE(pGsm && pSpn);
    pGsm->m_header[13] |= 0x05;
    pGsm->m_header.insert(pGsm->m_header.end(), 11, 0x5A);
    pGsm->m_header[12] = static_cast<std::uint8_t>(pGsm->m_header.size() - 13);
    pGsm->m_strSelectStatus = "9F22";
    pSpn->m_header[9] = 0x00;
    const std::string twin = TwinOf(original);
    EXPECT_EQ(Count(twin, "header="), 2u) << twin;
    const CDumpDiff diff(original, DumpOf(twin));
    EXPECT_TRUE(diff.IsSame()) << Lines(diff.Lines());
}

TEST(TwinBuilder, TakesTheCodesFileElseTheDefaultsAndSaysWhich) {
    const CCardDump original = DumpOf(DefaultProfileText());
    const CTwinBuilder::Codes codes = {
        {"CHV1", "4321"}, {"ADM", "12345678"}, {"KI", "000102030405060708090A0B0C0D0E0F"}};
    std::string error;
    CTwinBuilder builder(&codes);
    std::string twin;
    ASSERT_TRUE(builder.Build(original, twin, error)) << error;
    for (const char* line : {"chv1 34333231FFFFFFFF attempts=3\n", "adm 3132333435363738\n",
                             "ki 000102030405060708090A0B0C0D0E0F\n", "chv2 35363738FFFFFFFF"})
        EXPECT_NE(twin.find(line), std::string::npos) << line << twin;
    const std::string notes = Lines(builder.Notes());
    EXPECT_NE(notes.find("defaults (UNBLOCK1 12345678, CHV2 5678, UNBLOCK2 87654321)"),
              std::string::npos)
        << notes;
    EXPECT_EQ(notes.find("Ki"), std::string::npos) << notes;

    CTwinBuilder defaults(nullptr);
    ASSERT_TRUE(defaults.Build(original, twin, error)) << error;
    const std::string defaultNotes = Lines(defaults.Notes());
    EXPECT_NE(defaultNotes.find("(CHV1 1234, UNBLOCK1 12345678, CHV2 5678, UNBLOCK2 87654321, "
                                "ADM 0A0A0A0A0A0A0A0A)"),
              std::string::npos)
        << defaultNotes;
    EXPECT_NE(defaultNotes.find("stand-in algorithm"), std::string::npos) << defaultNotes;

    // A code the card could not hold is refused without echoing it.
    const std::pair<CTwinBuilder::Codes, std::string> bad[] = {
        {{{"CHV1", "123"}}, "codes file: CHV1 is not 4 to 8 digits"},
        {{{"CHV2", "123456789"}}, "codes file: CHV2 is not 4 to 8 digits"},
        {{{"UNBLOCK1", "1234567"}}, "codes file: UNBLOCK1 is not 8 digits"},
        {{{"ADM", "0A0A0A0A0A0A0A0"}}, "codes file: ADM is not 4 to 8 digits or 16 hex digits"},
        {{{"KI", "00"}}, "codes file: KI is not 32 hex digits"},
    };
    for (const auto& [given, message] : bad) {
        CTwinBuilder refusing(&given);
        EXPECT_FALSE(refusing.Build(original, twin, error));
        EXPECT_EQ(error, message);
    }
}

TEST(TwinBuilder, RefusesADumpWithoutTheMfAndLeavesOutWhatItCannotPlace) {
    CCardDump dump = DumpOf(DefaultProfileText());
    CCardDump noMf = dump;
    noMf.m_files.erase(noMf.m_files.begin());
    CTwinBuilder builder(nullptr);
    std::string twin, error;
    EXPECT_FALSE(builder.Build(noMf, twin, error));
    EXPECT_EQ(error, "the dump holds no readable header of the MF 3F00: no card to make");

    // A DF without a header takes its files with it; a record file the virtual card
    // cannot hold is left out; both are said.
    dump.Find("3F00\\7F10")->m_header.clear();
    CDumpedFile* pAcm = dump.Find("3F00\\7F20\\6F39");
    ASSERT_NE(pAcm, nullptr);
    pAcm->m_header[14] = 0;
    ASSERT_TRUE(builder.Build(dump, twin, error)) << error;
    const std::string notes = Lines(builder.Notes());
    EXPECT_NE(notes.find("3F00\\7F10: no usable header; left out of the twin"), std::string::npos)
        << notes;
    EXPECT_NE(notes.find("3F00\\7F10\\6F3A: its directory is not in the twin; left out"),
              std::string::npos)
        << notes;
    EXPECT_NE(notes.find("3F00\\7F20\\6F39: 0 records of 0 bytes"), std::string::npos) << notes;
    EXPECT_EQ(twin.find("3F00/7F10"), std::string::npos);
    CSimProfile parsed;
    EXPECT_TRUE(parsed.Parse(twin, "twin", error)) << error;
}

}  // namespace
