// SPDX-License-Identifier: GPL-3.0-or-later
// The dump file: what a walk writes reads back the same, and what is not one of our dumps
// is refused with a message that names the file.

#include "DumpJson.h"
#include "TempDir.h"
#include "WalkFixture.h"

#include <QFile>

namespace {

CCardDump SmallDump() {
    CCardDump dump;
    dump.m_atr = FromHex("3B 02 14 50");
    dump.m_strReader = "Reader 0";
    dump.m_strProgram = "corvanta-card 0.1.0";
    dump.m_strTaken = "2026-12-11T14:32:15Z";
    dump.m_verified = {"CHV1"};
    dump.m_notes = {"a note"};
    CDumpedFile mf;
    mf.m_strPath = "3F00";
    mf.m_strName = "MF";
    mf.m_strSelectStatus = "9F17";
    mf.m_strHeaderStatus = "9000";
    mf.m_header = FromHex("0000 0200 3F00 01 0000000000 0A 00 02 02 05 00 83 8A 83 8A 00");
    CDumpedFile adn;
    adn.m_strPath = "3F00\\6F3A";
    adn.m_strName = "EF ADN";
    adn.m_strSelectStatus = "9F0F";
    adn.m_strHeaderStatus = "9000";
    adn.m_header = FromHex("0000 0008 6F3A 04 00 11 F0 22 01 02 01 04");
    adn.m_strReadStatus = "9000";
    adn.m_records = {FromHex("01020304"), FromHex("FFFFFFFF")};
    CDumpedFile refused = adn;
    refused.m_strPath = "3F00\\6F3B";
    refused.m_strReadStatus = "9804";
    refused.m_records.clear();
    dump.m_files = {mf, adn, refused};
    return dump;
}

std::string Bytes(const QByteArray& json) { return json.toStdString(); }

TEST(DumpJson, AWalkReadsBackAsItWasWritten) {
    CInProcessCard card(TestProfileText());
    CCardWalker walker({{"3F00", "MF", true, 0}, {"3F00\\2FE2", "EF ICCID", false, 0},
                        {"3F00\\7F10", "DF TELECOM", true, 0}, {"3F00\\7F10\\6F3A", "EF ADN", false, 0}},
                       card.Exchange());
    walker.SetCodeSource([](const std::string&, int) { return std::string("1234"); });
    WalkToEnd(walker);
    CCardDump dump = walker.Dump();
    dump.m_atr = FromHex("3B00");
    const QByteArray json = CDumpJson::ToJson(dump);
    QString error;
    const std::optional<CCardDump> back = CDumpJson::FromJson(json, "a.json", error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(CDumpJson::ToJson(*back), json);
    EXPECT_EQ(back->m_files.size(), dump.m_files.size());
    // The decoded parts are there for people: the File page's text and the header's facts.
    EXPECT_NE(json.indexOf("\"Structure: linear fixed\""), -1) << Bytes(json);
    EXPECT_NE(json.indexOf("\"read\": \"CHV1\""), -1);
    EXPECT_NE(json.indexOf("\"attempts_left\": 3"), -1);
    EXPECT_EQ(json.indexOf("31323334"), -1) << "a code in the dump";
}

TEST(DumpJson, RefusesWhatIsNotOurDumpNamingTheFile) {
    const std::string good = Bytes(CDumpJson::ToJson(SmallDump()));
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "not a Corvanta dump ("},
        {good.substr(0, good.size() / 2), "not a Corvanta dump ("},
        {"[1, 2]", "not a Corvanta dump (no JSON object)"},
        {"{\"format\": \"other\"}", "not a Corvanta dump (no \"format\": \"corvanta-dump\")"},
        {replaced("\"version\": 1", "\"version\": 2"), "written in format version 2"},
        {replaced("\"version\": 1", "\"version\": 1.5"), "\"version\" is not a format version"},
        {replaced("\"version\": 1", "\"version\": \"1\""), "\"version\" is not a format version"},
        {replaced("\"atr\": \"3B021450\"", "\"atr\": \"3B0\""), "the ATR is not hex"},
        {replaced("\"atr\": \"3B021450\"", "\"atr\": \"3B02145Z\""), "the ATR is not hex"},
        {replaced("\"atr\": \"3B021450\"", "\"atr\": \"" + std::string(68, 'A') + "\""),
         "the ATR is longer than 33 bytes"},
        {replaced("\"path\": \"3F00\\\\6F3A\"", "\"path\": \"3F00\\\\6F3\""),
         "file 2: \"3F00\\6F3\" is not a file path from 3F00"},
        {replaced("\"path\": \"3F00\\\\6F3A\"", "\"path\": \"7F10\\\\6F3A\""),
         "is not a file path from 3F00"},
        {replaced("\"path\": \"3F00\\\\6F3A\"", "\"path\": \"3F00\\\\6F3B\""),
         "file 3 (3F00\\6F3B) is there twice"},
        {replaced("\"path\": \"3F00\\\\6F3A\"", "\"path\": \"3F00\\\\7F10\\\\6F3A\""),
         "file 2 (3F00\\7F10\\6F3A) comes before its directory 3F00\\7F10"},
        {replaced("\"path\": \"3F00\"", "\"path\": 3"), "file 1: \"path\" is not a string"},
        {replaced("\"select_sw\": \"9F17\"", "\"select_sw\": \"9F1\""),
         "file 1 (3F00): \"select_sw\" is not a status word"},
        {replaced("\"01020304\"", "\"" + std::string(512, 'A') + "\""),
         "file 2 (3F00\\6F3A): record 1 is longer than 255 bytes"},
        {replaced("\"files\": [", "\"files\": {\"a\": ["), "not a Corvanta dump ("},
        {replaced("\"files\": [", "\"filez\": ["), "\"files\" is not a list"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(message);
        QString error;
        EXPECT_FALSE(CDumpJson::FromJson(QByteArray::fromStdString(text), "card.json", error));
        EXPECT_EQ(error.toStdString().rfind("card.json: ", 0), 0u) << error.toStdString();
        EXPECT_NE(error.toStdString().find(message), std::string::npos) << error.toStdString();
    }
}

TEST(DumpJson, ASaveThatFailsLeavesTheOldFile) {
    CTempDir dir;
    const QString path = QString::fromStdString(dir.File("card.json"));
    QString error;
    ASSERT_TRUE(CDumpJson::Save(SmallDump(), path, error)) << error.toStdString();
    const std::optional<CCardDump> loaded = CDumpJson::Load(path, error);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_EQ(CDumpJson::ToJson(*loaded), CDumpJson::ToJson(SmallDump()));

    EXPECT_FALSE(CDumpJson::Save(SmallDump(), QString::fromStdString(dir.File("no/such/folder.json")), error));
    EXPECT_NE(error.toStdString().find("could not write"), std::string::npos);
    EXPECT_FALSE(CDumpJson::Load(QString::fromStdString(dir.File("missing.json")), error));
    EXPECT_NE(error.toStdString().find("missing.json: could not open"), std::string::npos);
}

}  // namespace
