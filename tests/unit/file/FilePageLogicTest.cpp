#include "FilePageLogic.h"
#include "FilePath.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// GET RESPONSE answers: ADN (linear fixed, 28-byte records), ICCID (transparent),
// LND-like (cyclic, 3-byte records) and DF TELECOM.
const std::string kAdnAnswer = "000000B06F3A0400111FE30502011C9000";
const std::string kIccidAnswer = "0000000A2FE204000FFF4A010200009000";
const std::string kCyclicAnswer = "000000096F39040019105B000203039000";
const std::string kTelecomAnswer = "00001A2B7F100200000000000D1302019000";

// A card that answers each command from a table (anything else with 6D00) and
// remembers what it was sent.
struct SScriptedCard {
    void Answer(const std::string& cmd, const std::string& response, long result = 0) {
        m_answers[cmd] = {result, response};
    }
    CFilePageLogic::ExchangeFunction Exchange() {
        return [this](const std::string& cmd, std::string& response) {
            m_sent.push_back(cmd);
            const auto answer = m_answers.try_emplace(cmd, 0L, "6D00").first->second;
            response = answer.second;
            return answer.first;
        };
    }
    std::map<std::string, std::pair<long, std::string>> m_answers;
    Strings m_sent;
};

TEST(FilePathTest, TrimsAndAcceptsOnlyGroupsOfFourJoinedBySingleBackslashes) {
    EXPECT_EQ(CFilePath::Trim("\\\\3F00\\2FE2\\"), "3F00\\2FE2");
    EXPECT_EQ(CFilePath::Trim("\\\\\\"), "");
    for (const char* good : {"3F00", "3F00\\2FE2", "3F00\\7F20\\6F07"}) {
        EXPECT_TRUE(CFilePath::IsValid(good)) << good;
    }
    for (const char* bad : {"", "3F0", "3F000", "3F0\\2FE2", "3F00\\\\2FE2", "3F00\\2FE",
                            "3F00\\2FE22", "\\3F00", "3F00\\", "3F002FE2"}) {
        EXPECT_FALSE(CFilePath::IsValid(bad)) << bad;
    }
    EXPECT_EQ(CFilePath::Identifiers("3F00\\7F20\\6F07"), (Strings{"3F00", "7F20", "6F07"}));
}

class FilePageLogicTest : public ::testing::Test {
protected:
    bool Select(const std::string& path) {
        m_logic.Fields().m_strPathName = path;
        return m_logic.SelectPath(m_card.Exchange());
    }
    // Selects a file reached through 3F00 and 7F10, answering GET RESPONSE with the given
    // description; keeps what was sent on the way in m_walk.
    void SelectFile(const std::string& id, const std::string& description,
                    const std::string& typed = "") {
        m_card.Answer("A0A40000023F00", "9F16");
        m_card.Answer("A0A40000027F10", "9F1A");
        m_card.Answer("A0A4000002" + id, "9F0F");
        m_card.Answer("A0C000000F", description);
        ASSERT_TRUE(Select(typed.empty() ? "3F00\\7F10\\" + id : typed));
        m_walk = std::move(m_card.m_sent);
        m_card.m_sent.clear();
    }

    Strings m_walk;
    SScriptedCard m_card;
    CFilePageLogic m_logic;
};

TEST_F(FilePageLogicTest, SelectsLevelByLevelAndDescribesTheTrimmedPath) {
    SelectFile("6F3A", kAdnAnswer, "\\3F00\\7F10\\6F3A\\\\");
    EXPECT_EQ(m_walk,
              (Strings{"A0A40000023F00", "A0A40000027F10", "A0A40000026F3A", "A0C000000F"}));
    EXPECT_EQ(m_logic.Fields().m_strPathName, "3F00\\7F10\\6F3A");
    EXPECT_EQ(m_logic.Mode(), FileMode::Record);
    EXPECT_EQ(m_logic.Fields().m_strRecordRange, "( 01-06 )");
    EXPECT_EQ(m_logic.RecordLength(), "1C");
    EXPECT_EQ(m_logic.Fields().m_strProperties.substr(0, 12), "ID:   6F3A\r\n");
}

TEST_F(FilePageLogicTest, InvalidPathsSendNothing) {
    for (const char* path : {"3F0\\2FE2", "3F00\\\\2FE2", "\\\\", "3F00\\2FE2\\6F"}) {
        EXPECT_FALSE(Select(path)) << path;
        EXPECT_EQ(m_logic.Fields().m_strProperties, CFilePageLogic::kInvalidPath);
        EXPECT_EQ(m_logic.Mode(), FileMode::None);
    }
    EXPECT_EQ(m_logic.Fields().m_strPathName, "3F00\\2FE2\\6F");
    EXPECT_TRUE(m_card.m_sent.empty());
}

TEST_F(FilePageLogicTest, FailingSelectOrGetResponseIsNotDescribed) {
    SelectFile("6F3A", kAdnAnswer);
    m_card.Answer("A0A40000027F10", "9404");  // a middle level without 9F stops the walk
    EXPECT_FALSE(Select("3F00\\7F10\\6F3A"));
    EXPECT_EQ(m_card.m_sent, (Strings{"A0A40000023F00", "A0A40000027F10"}));
    EXPECT_EQ(m_logic.Fields().m_strProperties, CFilePageLogic::kNotFound);
    EXPECT_EQ(m_logic.Mode(), FileMode::None);

    m_card.Answer("A0A40000023F00", "", 0x80100016);
    EXPECT_FALSE(Select("3F00"));
    // A GET RESPONSE that fails or does not end in 9000 describes nothing.
    m_card.Answer("A0A40000023F00", "9F16");
    m_card.Answer("A0A40000022FE2", "9F0F");
    const struct {
        std::string answer;
        long result;
    } badAnswers[] = {{kIccidAnswer, 0x80100016},
                      {kIccidAnswer.substr(0, kIccidAnswer.size() - 4) + "6F00", 0},
                      {"6700", 0},
                      {"900", 0},
                      {"", 0}};
    for (const auto& bad : badAnswers) {
        SCOPED_TRACE(bad.answer);
        m_card.Answer("A0C000000F", bad.answer, bad.result);
        EXPECT_FALSE(Select("3F00\\2FE2"));
        EXPECT_EQ(m_logic.Fields().m_strProperties, CFilePageLogic::kNotFound);
        EXPECT_EQ(m_logic.Mode(), FileMode::None);
    }
}

TEST_F(FilePageLogicTest, DirectoryHidesReadAndUpdateButKeepsTheLastFileFacts) {
    SelectFile("6F3A", kAdnAnswer);
    m_card.Answer("A0A40000027F10", "9F16");
    m_card.Answer("A0C0000016", kTelecomAnswer);
    EXPECT_TRUE(Select("3F00\\7F10"));
    EXPECT_EQ(m_logic.Fields().m_strProperties.substr(0, 22), "ID:   7F10\r\nType: DF\r\n");
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
    EXPECT_TRUE(m_logic.IsRecordFile());
    EXPECT_EQ(m_logic.Fields().m_strRecordRange, "( 01-06 )");
    m_card.m_sent.clear();
    EXPECT_FALSE(m_logic.Read(m_card.Exchange()));
    EXPECT_FALSE(m_logic.Update(m_card.Exchange()));
    EXPECT_TRUE(m_card.m_sent.empty());
}

TEST_F(FilePageLogicTest, TransparentReadAndUpdatePadTheAddressAndShowTheStatusWord) {
    SelectFile("2FE2", kIccidAnswer);
    m_card.Answer("A0B0001005", "98101234569000");
    m_card.Answer("A0D6000002123456", "6702");
    CFileFields& f = m_logic.Fields();
    f.m_strOffset = "10";
    f.m_strLength = "5";
    EXPECT_TRUE(m_logic.Read(m_card.Exchange()));
    EXPECT_EQ(f.m_strOffset + "|" + f.m_strLength, "0010|05");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "9810123456|SW=9000");
    f.m_strOffset = "";
    f.m_strLength = "";
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|SW=6D00");
    f.m_strLength = "02";
    f.m_strData = "123456";  // no check against the length: the card reports it
    EXPECT_TRUE(m_logic.Update(m_card.Exchange()));
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "123456|SW=6702");
    EXPECT_EQ(m_card.m_sent, (Strings{"A0B0001005", "A0B0000000", "A0D6000002123456"}));
}

TEST_F(FilePageLogicTest, RecordFilesUseTheRecordLengthAndCyclicUpdatesThePrevious) {
    const struct {
        const char* id;
        std::string answer;
        Strings sent;
    } cases[] = {{"6F3A", kAdnAnswer, {"A0DC03041CAA", "A0B203041C"}},
                 {"6F39", kCyclicAnswer, {"A0DC030303AA", "A0B2030403"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        SelectFile(c.id, c.answer);
        m_logic.Fields().m_strRecordNumber = "3";
        m_logic.Fields().m_strData = "AA";
        m_logic.Update(m_card.Exchange());
        m_logic.Read(m_card.Exchange());
        EXPECT_EQ(m_card.m_sent, c.sent);
        EXPECT_EQ(m_logic.Fields().m_strRecordNumber, "03");
    }
}

TEST_F(FilePageLogicTest, ReaderErrorShowsSwAlone) {
    SelectFile("6F3A", kAdnAnswer);
    m_card.Answer("A0B201041C", "", 0x80100016);
    m_logic.Fields().m_strRecordNumber = "01";
    m_logic.Fields().m_strData = "stale";
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(m_logic.Fields().m_strData + "|" + m_logic.Fields().m_strStatusWord, "|SW=");
}

}  // namespace
