#include "FilePageLogic.h"
#include "FilePath.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::string kAdnAnswer =
    "0000"
    "00B0"
    "6F3A"
    "04"
    "00"
    "11"
    "1F"
    "E3"
    "05"
    "02"
    "01"
    "1C"
    "9000";
const std::string kIccidAnswer =
    "0000000A2FE204000FFF4A01020000"
    "9000";
const std::string kTelecomAnswer =
    "0000"
    "1A2B"
    "7F10"
    "02"
    "0000000000"
    "0D"
    "13"
    "02"
    "01"
    "9000";

// A card that answers each command from a table (anything else with 6D00) and
// remembers what it was sent.
class CScriptedCard {
public:
    void Answer(const std::string& cmd, std::string response, long result = 0) {
        m_answers[cmd] = {result, std::move(response)};
    }
    CFilePageLogic::ExchangeFunction Exchange() {
        return [this](const std::string& cmd, std::string& response) {
            m_sent.push_back(cmd);
            const auto found = m_answers.find(cmd);
            if (found == m_answers.end()) {
                response = "6D00";
                return 0L;
            }
            response = found->second.second;
            return found->second.first;
        };
    }
    Strings m_sent;

private:
    std::map<std::string, std::pair<long, std::string>> m_answers;
};

TEST(FilePathTest, TrimsBackslashesAtBothEnds) {
    EXPECT_EQ(CFilePath::Trim("\\3F00\\2FE2\\"), "3F00\\2FE2");
    EXPECT_EQ(CFilePath::Trim("\\\\3F00\\\\"), "3F00");
    EXPECT_EQ(CFilePath::Trim("\\\\\\"), "");
    EXPECT_EQ(CFilePath::Trim(""), "");
}

TEST(FilePathTest, ValidPathsAreGroupsOfFourJoinedBySingleBackslashes) {
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
    void SelectAdn() {
        m_card.Answer("A0A40000023F00", "9F16");
        m_card.Answer("A0A40000027F10", "9F16");
        m_card.Answer("A0A40000026F3A", "9F0F");
        m_card.Answer("A0C000000F", kAdnAnswer);
        ASSERT_TRUE(Select("3F00\\7F10\\6F3A"));
        m_card.m_sent.clear();
    }
    void SelectIccid() {
        m_card.Answer("A0A40000023F00", "9F16");
        m_card.Answer("A0A40000022FE2", "9F0F");
        m_card.Answer("A0C000000F", kIccidAnswer);
        ASSERT_TRUE(Select("3F00\\2FE2"));
        m_card.m_sent.clear();
    }

    CScriptedCard m_card;
    CFilePageLogic m_logic;
};

TEST_F(FilePageLogicTest, SelectsLevelByLevelAndDescribesTheTrimmedPath) {
    m_card.Answer("A0A40000023F00", "9F16");
    m_card.Answer("A0A40000027F10", "9F1A");
    m_card.Answer("A0A40000026F3A", "9F0F");
    m_card.Answer("A0C000000F", kAdnAnswer);
    EXPECT_TRUE(Select("\\3F00\\7F10\\6F3A\\\\"));
    EXPECT_EQ(m_card.m_sent,
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
        EXPECT_EQ(m_logic.Fields().m_strProperties, "Invalid file path");
        EXPECT_EQ(m_logic.Mode(), FileMode::None);
    }
    EXPECT_EQ(m_logic.Fields().m_strPathName, "3F00\\2FE2\\6F");
    EXPECT_TRUE(m_card.m_sent.empty());
}

TEST_F(FilePageLogicTest, AnyLevelWithoutNineFStopsTheSelection) {
    SelectAdn();
    m_card.Answer("A0A40000027F10", "9404");
    EXPECT_FALSE(Select("3F00\\7F10\\6F3A"));
    EXPECT_EQ(m_card.m_sent, (Strings{"A0A40000023F00", "A0A40000027F10"}));
    EXPECT_EQ(m_logic.Fields().m_strProperties,
              "The reader/card is not ready or the specified file ID is not found");
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
    m_card.Answer("A0A40000023F00", "", 0x80100016);
    EXPECT_FALSE(Select("3F00"));
}

TEST_F(FilePageLogicTest, FailedGetResponseIsNotDecodedAsADescription) {
    SelectIccid();
    m_card.Answer("A0C000000F", kAdnAnswer, 0x80100016);
    EXPECT_FALSE(Select("3F00\\2FE2"));
    EXPECT_EQ(m_logic.Fields().m_strProperties,
              "The reader/card is not ready or the specified file ID is not found");
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
    m_card.Answer("A0C000000F", kAdnAnswer.substr(0, kAdnAnswer.size() - 4) + "6F00");
    EXPECT_FALSE(Select("3F00\\2FE2"));
    for (const char* notADescription : {"6700", "900", ""}) {
        m_card.Answer("A0C000000F", notADescription);
        EXPECT_FALSE(Select("3F00\\2FE2")) << notADescription;
    }
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
}

TEST_F(FilePageLogicTest, DirectoryHidesReadAndUpdateButKeepsTheLastFileFacts) {
    SelectAdn();
    m_card.Answer("A0A40000027F10", "9F16");
    m_card.Answer("A0C0000016", kTelecomAnswer);
    EXPECT_TRUE(Select("3F00\\7F10"));
    EXPECT_EQ(m_logic.Fields().m_strProperties,
              "ID:   7F10\r\nType: DF\r\nAvailable Memory: 1A2B Bytes\r\nInclude: 02 DFs, 01 EFs");
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
    EXPECT_TRUE(m_logic.IsRecordFile());
    EXPECT_EQ(m_logic.Fields().m_strRecordRange, "( 01-06 )");
    m_card.m_sent.clear();
    EXPECT_FALSE(m_logic.Read(m_card.Exchange()));
    EXPECT_FALSE(m_logic.Update(m_card.Exchange()));
    EXPECT_TRUE(m_card.m_sent.empty());
}

TEST_F(FilePageLogicTest, TransparentReadPadsOffsetAndLength) {
    SelectIccid();
    m_card.Answer("A0B0001005", "98101234569000");
    CFileFields& f = m_logic.Fields();
    f.m_strOffset = "10";
    f.m_strLength = "5";
    EXPECT_TRUE(m_logic.Read(m_card.Exchange()));
    EXPECT_EQ(m_card.m_sent, Strings{"A0B0001005"});
    EXPECT_EQ(f.m_strOffset + "|" + f.m_strLength, "0010|05");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "9810123456|SW=9000");
    f.m_strOffset = "";
    f.m_strLength = "";
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(m_card.m_sent.back(), "A0B0000000");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|SW=6D00");
}

TEST_F(FilePageLogicTest, TransparentUpdateSendsTheDataAsTyped) {
    SelectIccid();
    m_card.Answer("A0D60000021234", "9000");
    CFileFields& f = m_logic.Fields();
    f.m_strLength = "02";
    f.m_strData = "1234";
    EXPECT_TRUE(m_logic.Update(m_card.Exchange()));
    EXPECT_EQ(m_card.m_sent, Strings{"A0D60000021234"});
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "1234|SW=9000");
    f.m_strData = "123456";  // no check against the length: the card reports it
    m_card.Answer("A0D6000002123456", "6702");
    m_logic.Update(m_card.Exchange());
    EXPECT_EQ(f.m_strStatusWord, "SW=6702");
}

TEST_F(FilePageLogicTest, RecordFilesUseTheRecordLengthAndAbsoluteMode) {
    SelectAdn();
    CFileFields& f = m_logic.Fields();
    f.m_strRecordNumber = "3";
    f.m_strData = "AA";
    m_logic.Update(m_card.Exchange());
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(m_card.m_sent, (Strings{"A0DC03041CAA", "A0B203041C"}));
    EXPECT_EQ(f.m_strRecordNumber, "03");
}

TEST_F(FilePageLogicTest, CyclicUpdateUsesPreviousModeAndReadUsesAbsolute) {
    m_card.Answer("A0A40000026F39", "9F0F");
    m_card.Answer("A0C000000F",
                  "0000"
                  "0009"
                  "6F39"
                  "04"
                  "00"
                  "19"
                  "10"
                  "5B"
                  "00"
                  "02"
                  "03"
                  "03"
                  "9000");
    ASSERT_TRUE(Select("6F39"));
    EXPECT_TRUE(m_logic.IsCyclic());
    m_card.m_sent.clear();
    m_logic.Fields().m_strRecordNumber = "02";
    m_logic.Fields().m_strData = "000001";
    m_logic.Update(m_card.Exchange());
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(m_card.m_sent, (Strings{"A0DC020303000001", "A0B2020403"}));
}

TEST_F(FilePageLogicTest, ReaderErrorShowsSwAlone) {
    SelectAdn();
    m_card.Answer("A0B201041C", "", 0x80100016);
    m_logic.Fields().m_strRecordNumber = "01";
    m_logic.Fields().m_strData = "stale";
    m_logic.Read(m_card.Exchange());
    EXPECT_EQ(m_logic.Fields().m_strData + "|" + m_logic.Fields().m_strStatusWord, "|SW=");
}

}  // namespace
