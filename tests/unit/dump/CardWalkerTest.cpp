// SPDX-License-Identifier: GPL-3.0-or-later
// The walker against the virtual card in-process: what it reads, what it sends to read it,
// and how it ends when the card refuses, misbehaves, leaves or the user cancels.

#include "DumpCatalogue.h"
#include "WalkFixture.h"


namespace {

// The test card's files in the catalogue's terms, with two the card does not hold: the SST
// (tried, since it is read first) and an FDN after the files DF TELECOM counts (never tried).
std::vector<CWalkTarget> TestCatalogue(bool bWithPhase = true) {
    std::vector<CWalkTarget> catalogue = {
        {"3F00", "MF", true, 0},
        {"3F00\\2FE2", "EF ICCID", false, 0},
        {"3F00\\6F01", "", false, 0},
        {"3F00\\7F10", "DF TELECOM", true, 0},
        {"3F00\\7F10\\6F3A", "EF ADN", false, 2},
        {"3F00\\7F10\\6F44", "EF LND", false, 0},
        {"3F00\\7F10\\6F3B", "EF FDN", false, 3},
        {"3F00\\7F20", "DF GSM", true, 0},
        {"3F00\\7F20\\6F07", "EF IMSI", false, 0},
        {"3F00\\7F20\\6F38", "EF SST", false, 0},
        {"3F00\\7F20\\6F39", "EF ACM", false, 0},
        {"3F00\\7F20\\6F78", "EF ACC", false, 0},
        {"3F00\\7F20\\6F7B", "EF FPLMN", false, 0},
        {"3F00\\7F20\\5F30", "DF X", true, 0},
        {"3F00\\7F20\\5F30\\4F20", "EF Y", false, 0},
    };
    if (bWithPhase) catalogue.push_back({"3F00\\7F20\\6FAE", "EF Phase", false, 0});
    return catalogue;
}

CCardWalker::CodeSource Codes(std::string chv1, std::string chv2, std::string adm,
                              std::vector<std::string>* pAsked = nullptr) {
    return [=](const std::string& code, int) {
        if (pAsked) pAsked->push_back(code);
        return code == "CHV1" ? chv1 : code == "CHV2" ? chv2 : adm;
    };
}

const std::string kAdm = "0A0A0A0A0A0A0A0A";

bool HasNoteWith(const CCardDump& dump, const std::string& text) {
    if (text.empty()) return true;
    for (const std::string& note : dump.m_notes)
        if (note.find(text) != std::string::npos) return true;
    return false;
}

std::string Notes(const CCardDump& dump) {
    std::string all;
    for (const std::string& note : dump.m_notes) all += note + "\n";
    return all;
}

TEST(CardWalker, ReadsTheWholeCardWithTheLeastApdus) {
    CInProcessCard card(TestProfileText());
    CCardWalker walker(TestCatalogue(), card.Exchange());
    std::vector<std::string> asked;
    walker.SetCodeSource(Codes("1234", "5678", kAdm, &asked));
    WalkToEnd(walker);

    const CCardDump& dump = walker.Dump();
    EXPECT_TRUE(dump.m_bComplete);
    EXPECT_TRUE(dump.m_notes.empty()) << Notes(dump);
    EXPECT_EQ(dump.m_files.size(), 14u);
    EXPECT_EQ(walker.FilesKnown(), 14);
    EXPECT_EQ(asked, (std::vector<std::string>{"ADM", "CHV1", "CHV2"}));
    EXPECT_EQ(dump.m_verified, asked);

    // 14 SELECT and GET RESPONSE pairs, 15 reads, 3 VERIFYs; then one SELECT for the SST the
    // card does not hold, and one to climb from DF X to DF TELECOM's parent. The FDN is
    // never looked for: DF TELECOM's two EFs were found by then.
    EXPECT_EQ(walker.ApduCount(), 28 + 15 + 3 + 1 + 1);
    EXPECT_EQ(card.CountStartingWith("A0A40000026F3B"), 0);
    EXPECT_EQ(card.CountStartingWith("A0A40000026F38"), 1);

    struct CExpected {
        const char* path;
        const char* contents;  // transparent files
        std::vector<const char*> records;
    };
    const std::vector<CExpected> expected = {
        {"3F00\\2FE2", "98 00 01 01 00 00 00 10 32 F4", {}},
        {"3F00\\7F10\\6F3A", "", {"11111111", "22222222", "11223344"}},
        {"3F00\\7F10\\6F44", "", {"0101", "0202", "0303"}},
        {"3F00\\7F20\\6F39", "", {"000005", "000001"}},
        {"3F00\\7F20\\6F7B", "0141202331FFFFFFFFFFFFFF", {}},
        {"3F00\\6F01", "FF", {}},
    };
    for (const CExpected& want : expected) {
        SCOPED_TRACE(want.path);
        const CDumpedFile* file = dump.Find(want.path);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->m_strReadStatus, "9000");
        EXPECT_EQ(ToHex(file->m_contents), Compact(want.contents));
        std::vector<std::string> records;
        for (const CBytes& record : file->m_records) records.push_back(ToHex(record));
        EXPECT_EQ(records, std::vector<std::string>(want.records.begin(), want.records.end()));
    }
    // A directory comes before what it holds.
    for (std::size_t i = 0; i < dump.m_files.size(); ++i) {
        for (std::size_t j = i; j < dump.m_files.size(); ++j)
            EXPECT_NE(dump.m_files[j].m_strPath, dump.m_files[i].ParentPath());
    }
}

TEST(CardWalker, KeepsRefusedFilesWithTheirStatusWord) {
    struct CCase {
        const char* name;
        std::string chv1;
        int verifies;
        const char* note;
    };
    const std::vector<CCase> cases = {
        {"no code", "", 0, "CHV1 not given"},
        // A wrong code costs an attempt: it is sent once and never again.
        {"wrong code", "9999", 1, "CHV1 refused (9804): 2 attempts left; not tried again"},
        {"not digits", "12a4", 0, "CHV1 is not 4 to 8 digits; not presented"},
        {"too short", "123", 0, "CHV1 is not 4 to 8 digits; not presented"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        CInProcessCard card(TestProfileText());
        CCardWalker walker(TestCatalogue(), card.Exchange());
        walker.SetCodeSource(Codes(c.chv1, "", ""));
        WalkToEnd(walker);
        const CCardDump& dump = walker.Dump();
        EXPECT_TRUE(dump.m_bComplete);
        EXPECT_EQ(card.CountStartingWith("A020000108"), c.verifies);
        EXPECT_TRUE(HasNoteWith(dump, c.note)) << Notes(dump);
        EXPECT_EQ(dump.m_files.size(), 14u);
        for (const char* path : {"3F00\\7F10\\6F3A", "3F00\\7F20\\6F07", "3F00\\6F01"}) {
            SCOPED_TRACE(path);
            const CDumpedFile* file = dump.Find(path);
            ASSERT_NE(file, nullptr);
            EXPECT_EQ(file->m_strReadStatus, "9804");
            EXPECT_FALSE(file->m_header.empty());
            EXPECT_TRUE(file->m_records.empty() && file->m_contents.empty());
        }
        // One refused read per file, not one per record.
        EXPECT_EQ(card.CountStartingWith("A0B2"), 3);
    }
}

TEST(CardWalker, SaysWhenTheCatalogueMissesFilesAndScansForThem) {
    {
        CInProcessCard card(TestProfileText());
        CCardWalker walker(TestCatalogue(false), card.Exchange());
        walker.SetCodeSource(Codes("1234", "5678", kAdm));
        WalkToEnd(walker);
        EXPECT_TRUE(HasNoteWith(walker.Dump(),
                                "DF GSM (3F00\\7F20) holds 1 DF and 5 EFs; the catalogue found 1 and 4: "
                                "look for the others with --scan"))
            << Notes(walker.Dump());
        EXPECT_EQ(walker.Dump().Find("3F00\\7F20\\6FAE"), nullptr);
    }
    CInProcessCard card(TestProfileText());
    CCardWalker walker(TestCatalogue(false), card.Exchange());
    walker.SetCodeSource(Codes("1234", "5678", kAdm));
    CCardWalker::CIdRange range;
    ASSERT_TRUE(CCardWalker::ParseRange("6FA0-6FFF", range));
    walker.AddScan(range);
    WalkToEnd(walker);
    const CDumpedFile* phase = walker.Dump().Find("3F00\\7F20\\6FAE");
    ASSERT_NE(phase, nullptr);
    EXPECT_EQ(ToHex(phase->m_contents), "02");
    // The scan ends at the file that completes the count, and looks in no other DF.
    EXPECT_EQ(card.CountStartingWith("A0A40000026FA"), 15);
    EXPECT_EQ(card.CountStartingWith("A0A40000026FAF"), 0);
    EXPECT_EQ(card.CountStartingWith("A0A40000026FB"), 0);
}

TEST(CardWalker, ParsesScanRanges) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"6F00-6FFF", true}, {"6f00-6fff", true}, {"6FAE", true},      {"6FFF-6F00", false},
        {"6F0-6FFF", false}, {"6G00-6FFF", false}, {"6F00-6FFF0", false}, {"", false},
        {"6F00-", false},
    };
    for (const auto& [text, valid] : cases) {
        SCOPED_TRACE(text);
        CCardWalker::CIdRange range;
        EXPECT_EQ(CCardWalker::ParseRange(text, range), valid);
    }
}

TEST(CardWalker, EndsCleanlyWhenTheCardMisbehaves) {
    struct CCase {
        const char* mode;
        bool complete;
        const char* note;  // in a note or the failure
    };
    const std::vector<CCase> cases = {
        {"258", true, "GET RESPONSE answered 256 bytes and 9000 where 23 bytes were asked"},
        {"9F00", true, "3F00: the SELECT announced an empty description"},
        // Asked 255, told the length, asked again; only the SELECT of a file the card does
        // not hold, answered 9FFF too, leaves a file without a description.
        {"9FFF", true, "3F00\\7F20\\6F38: GET RESPONSE answered 0 bytes and 6F00 where 255"},
        {"overlong", true, "where 23 bytes were asked"},
        {"bare-sw", true, "GET RESPONSE answered 0 bytes"},
        {"61xx", true, ""},
        {"6Cxx", true, ""},
        {"silent", false, "The card was lost while reading 3F00"},
        {"bare-sw:B0", true, "READ BINARY answered 0 bytes where 10 were asked; contents not kept"},
        {"overlong:B2", true, "READ RECORD answered 12 bytes where 4 were asked; records not kept"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.mode);
        CInProcessCard card(TestProfileText(), c.mode);
        CCardWalker walker(TestCatalogue(), card.Exchange());
        walker.SetCodeSource(Codes("1234", "5678", kAdm));
        WalkToEnd(walker);
        const CCardDump& dump = walker.Dump();
        EXPECT_EQ(dump.m_bComplete, c.complete) << Notes(dump);
        EXPECT_TRUE(HasNoteWith(dump, c.note)) << Notes(dump);
        if (std::string(c.note).empty()) {
            EXPECT_EQ(dump.m_files.size(), 14u) << Notes(dump);
            EXPECT_TRUE(dump.m_notes.empty()) << Notes(dump);
        }
    }
}

TEST(CardWalker, StopsAtAPulledCardOrACancelAndSendsNothingMore) {
    CInProcessCard pulled(TestProfileText());
    CCardWalker lost(TestCatalogue(), pulled.Exchange());
    lost.SetCodeSource(Codes("1234", "5678", kAdm));
    pulled.PullAfter(40);
    WalkToEnd(lost);
    EXPECT_TRUE(lost.HasFailed());
    EXPECT_FALSE(lost.Dump().m_bComplete);
    EXPECT_EQ(pulled.Commands().size(), 41u);
    EXPECT_EQ(lost.Failure().rfind("The card was lost while reading 3F00\\7F10\\", 0), 0u)
        << lost.Failure();
    EXPECT_NE(lost.Failure().find("0x80100069"), std::string::npos);

    CInProcessCard card(TestProfileText());
    CCardWalker walker(TestCatalogue(), card.Exchange());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(walker.Step());
    walker.Cancel();
    EXPECT_FALSE(walker.Step());
    EXPECT_FALSE(walker.Step());
    EXPECT_EQ(card.Commands().size(), 5u);
    EXPECT_TRUE(walker.IsCancelled());
    EXPECT_FALSE(walker.Dump().m_bComplete);
    EXPECT_TRUE(HasNoteWith(walker.Dump(), "Cancelled while reading 3F00\\2FE2"))
        << Notes(walker.Dump());
}

}  // namespace

namespace {

TEST(CardWalker, ReadsTheShippedCardWithTheCatalogue) {
    const std::string text = ReadText(CORVANTA_DEFAULT_PROFILE);
    CInProcessCard card(text);
    const CSimProfile profile = ParseOrDie(text);
    CCardWalker walker(CDumpCatalogue::Targets(), card.Exchange());
    walker.SetCodeSource(Codes("1234", "5678", kAdm));
    WalkToEnd(walker);
    const CCardDump& dump = walker.Dump();
    EXPECT_TRUE(dump.m_bComplete);
    EXPECT_TRUE(dump.m_notes.empty()) << Notes(dump);
    ExpectDumped(*profile.GetMf(), "3F00", dump);
    EXPECT_EQ(static_cast<int>(dump.m_files.size()), walker.FilesKnown());
    // The economy the benchmark reports, as a count: at most a fifth above the least.
    EXPECT_GE(static_cast<std::size_t>(walker.ApduCount()), dump.LeastApdus());
    EXPECT_LE(static_cast<std::size_t>(walker.ApduCount()) * 5, dump.LeastApdus() * 6);
}

}  // namespace

namespace {

// A transparent file in as few READ BINARY as allowed: 256 bytes is one read, asked as
// P3=00; one byte more takes a second read at offset 0100.
TEST(CardWalker, ReadsATransparentFileInReadsOfUpTo256Bytes) {
    struct CCase {
        int size;
        std::vector<std::string> reads;
    };
    const std::vector<CCase> cases = {
        {1, {"A0B0000001"}},
        {255, {"A0B00000FF"}},
        {256, {"A0B0000000"}},
        {257, {"A0B0000000", "A0B0010001"}},
        {512, {"A0B0000000", "A0B0010000"}},
        {0, {}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.size);
        CInProcessCard card("mf 3F00\nef 3F00/6F01 transparent size=" + std::to_string(c.size) +
                            " read=ALW update=ALW\n");
        CCardWalker walker({{"3F00", "MF", true, 0}, {"3F00\\6F01", "", false, 0}}, card.Exchange());
        WalkToEnd(walker);
        std::vector<std::string> reads;
        for (const std::string& command : card.Commands())
            if (command.rfind("A0B0", 0) == 0) reads.push_back(command);
        EXPECT_EQ(reads, c.reads);
        const CDumpedFile* file = walker.Dump().Find("3F00\\6F01");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->m_contents.size(), static_cast<std::size_t>(c.size));
        EXPECT_EQ(file->m_strReadStatus, "9000");
        EXPECT_EQ(static_cast<std::size_t>(walker.ApduCount()), walker.Dump().LeastApdus());
    }
}

}  // namespace
