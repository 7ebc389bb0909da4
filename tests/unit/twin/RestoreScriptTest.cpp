// SPDX-License-Identifier: GPL-3.0-or-later
// Restore scripts: the rows for each kind of file, grouped by the code they need, and a
// script played on a changed card (after the user's VERIFY rows) giving back the dump,
// cyclic files in their order included.

#include "RestoreScript.h"
#include "TwinFixture.h"

namespace {

CDumpedFile Ef(const std::string& path, const std::string& header, const std::string& readSw) {
    CDumpedFile file;
    file.m_strPath = path;
    file.m_strSelectStatus = "9F0F";
    file.m_header = FromHex(header);
    file.m_strHeaderStatus = "9000";
    file.m_strReadStatus = readSw;
    return file;
}

TEST(RestoreScript, WritesEachKindOfFileGroupedByItsCode) {
    CCardDump dump;
    CDumpedFile mf;
    mf.m_strPath = "3F00";
    dump.m_files.push_back(mf);
    // ADM first in the dump, to show that groups follow the code, not the dump order.
    CDumpedFile adm = Ef("3F00\\6F01", "0000 0002 6F01 04 00 04 F0 44 01 02 00 00", "9000");
    adm.m_contents = {0xAB, 0xCD};
    CDumpedFile big = Ef("3F00\\6F02", "0000 012C 6F02 04 00 00 F0 44 01 02 00 00", "9000");
    big.m_contents.assign(300, 0x11);
    big.m_contents[255] = 0x22;
    CDumpedFile linear = Ef("3F00\\6F03", "0000 0004 6F03 04 00 11 F0 44 01 02 01 02", "9000");
    linear.m_records = {{0x01, 0x02}, {0x03, 0x04}};
    CDumpedFile cyclic = Ef("3F00\\6F04", "0000 0006 6F04 04 00 11 F0 44 01 02 03 02", "9000");
    cyclic.m_records = {{0x0C, 0x0C}, {0x0B, 0x0B}, {0x0A, 0x0A}};  // record 1 the newest
    CDumpedFile never = Ef("3F00\\6F05", "0000 0001 6F05 04 00 0F F0 44 01 02 00 00", "9000");
    never.m_contents = {0x00};
    CDumpedFile refused = Ef("3F00\\6F06", "0000 0001 6F06 04 00 22 F0 44 01 02 00 00", "9804");
    CDumpedFile part = Ef("3F00\\6F07", "0000 0006 6F07 04 00 11 F0 44 01 02 03 02", "9402");
    part.m_records = {{0x01, 0x01}};
    for (const CDumpedFile& file : {adm, big, linear, cyclic, never, refused, part})
        dump.m_files.push_back(file);

    const CRestoreScript script(dump);
    EXPECT_EQ(Lines(script.Rows()), Lines({
                                        "A0A40000023F00",
                                        "A0A40000026F02",
                                        "A0D60000FF" + std::string(510, '1'),
                                        "A0D600FF2D22" + std::string(88, '1'),
                                        "A0A40000023F00",
                                        "A0A40000026F03",
                                        "A0DC0104020102",
                                        "A0DC0204020304",
                                        "A0A40000023F00",
                                        "A0A40000026F04",
                                        "A0DC0003020A0A",
                                        "A0DC0003020B0B",
                                        "A0DC0003020C0C",
                                        "A0A40000023F00",
                                        "A0A40000026F01",
                                        "A0D6000002ABCD",
                                    }));
    ASSERT_EQ(script.Groups().size(), 3u);
    const std::pair<std::string, std::size_t> groups[] = {{"ALW", 1}, {"CHV1", 5}, {"ADM4", 14}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(script.Groups()[i].m_strCode, groups[i].first);
        EXPECT_EQ(script.Groups()[i].m_nFirstRow, groups[i].second);
    }
    EXPECT_EQ(Lines(script.Notes()),
              "3F00\\6F06: not read (9804), left out\n"
              "3F00\\6F07: not read (9402), left out\n");
    EXPECT_EQ(script.Text().substr(0, 32), "A0A40000023F00\r\nA0A40000026F02\r\n");
}

// Plays rows as the Script page does, after VERIFY rows of the user's, and answers what
// each row got.
std::vector<std::string> Play(CInProcessCard& card, const std::vector<std::string>& rows) {
    auto exchange = card.Exchange();
    std::vector<std::string> answers;
    for (const char* verify : {"A02000010831323334FFFFFFFF", "A02000020835363738FFFFFFFF",
                               "A020000A080A0A0A0A0A0A0A0A"}) {
        std::string answer;
        exchange(verify, answer);
        EXPECT_EQ(answer, "9000") << verify;
    }
    for (const std::string& row : rows) {
        std::string answer;
        exchange(row, answer);
        answers.push_back(answer);
    }
    return answers;
}

TEST(RestoreScript, PlayedOnAChangedCardGivesTheDumpBack) {
    CInProcessCard card(DefaultProfileText());
    const CCardDump before = DumpOf(card);
    // A new SPN, a changed ADN record and two more calls in the cyclic LND and ACM.
    Play(card,
         {"A0A40000027F20", "A0A40000026F46", "A0D6000011" + std::string(34, '4'), "A0A40000027F10",
          "A0A40000026F3A", "A0DC02041C" + std::string(56, '3'), "A0A40000026F44",
          "A0DC00031C" + std::string(56, '5'), "A0DC00031C" + std::string(56, '6'),
          "A0A40000027F20", "A0A40000026F39", "A03200000300000A"});
    const CDumpDiff changed(before, DumpOf(card));
    EXPECT_FALSE(changed.IsSame());

    const CRestoreScript script(before);
    const std::vector<std::string> answers = Play(card, script.Rows());
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const std::string& row = script.Rows()[i];
        const bool select = row.rfind("A0A4", 0) == 0;
        EXPECT_EQ(answers[i].substr(0, 2), select ? "9F" : "90") << i + 1 << ": " << row;
    }
    const CDumpDiff restored(before, DumpOf(card));
    EXPECT_TRUE(restored.IsSame()) << Lines(restored.Lines());
}

}  // namespace
