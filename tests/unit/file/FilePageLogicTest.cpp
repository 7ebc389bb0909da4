// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDescription.h"
#include "FilePageLogic.h"
#include "FilePath.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

// The File page without a window: paths, the description decoded from GET RESPONSE, and
// the commands that select, read and update.
namespace {

using Strings = std::vector<std::string>;

// GET RESPONSE answers: EF IMSI as the virtual card gives it (transparent), ADN (linear
// fixed, 28-byte records), a cyclic EF of 3-byte records, and DF TELECOM.
const std::string kImsiAnswer = "000000096F07040014F014010200009000";
const std::string kAdnAnswer = "000000B06F3A0400112FE30502011C9000";
const std::string kCyclicAnswer = "000000096F39040019105B000203039000";
const std::string kTelecomAnswer = "00001A2B7F100200000000000D1302019000";

TEST(FilePathTest, TrimsAndAcceptsOnlyGroupsOfFourJoinedBySingleBackslashes) {
    EXPECT_EQ(CFilePath::Trim("\\\\\\"), "");
    for (const char* good : {"3F00", "3F00\\2FE2", "3F00\\7F20\\6F07"})
        EXPECT_TRUE(CFilePath::IsValid(good)) << good;
    for (const char* bad : {"", "3F0", "3F000", "3F0\\2FE2", "3F00\\\\2FE2", "3F00\\2FE",
                            "3F00\\2FE22", "\\3F00", "3F00\\", "3F002FE2", "3F0\\02FE2",
                            "3F00\\7F20\\6F07A", "3F00\\7F20\\6F0", "3F00\\2FE222"})
        EXPECT_FALSE(CFilePath::IsValid(bad)) << bad;
}

struct SDescriptionCase {
    std::string strAnswer;
    const char* pszProperties;
    FileMode eMode;
    const char* pszRange;
};

// A directory's answer: memory at byte 2, ID, type at byte 6, DF and EF counts at 14 and 15.
// An EF's: size, ID, type, access conditions at bytes 8 to 10, status, structure at 13 and
// record length. An empty answer gives empty fields, not faults.
const SDescriptionCase kDescriptions[] = {
    {"000008003F000100000000000D130201",
     "ID:   3F00\r\nType: MF\r\nAvailable Memory: 0800 Bytes\r\nInclude: 02 DFs, 01 EFs",
     FileMode::None, ""},
    {kImsiAnswer,
     "ID:   6F07\r\nType: EF\r\nSize: 0009 Bytes\r\nStructure: transparent\r\n"
     "Status: not invalidated, not readable or updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM0> <INCREASE: NEV>\r\n"
     "                   <REHABILITATE: CHV1> <INVALIDATE: ADM0>",
     FileMode::Transparent, ""},
    {kAdnAnswer,
     "ID:   6F3A\r\nType: EF\r\nSize: 00B0 Bytes\r\nStructure: linear fixed\r\n"
     "Record Length: 1C Bytes\r\n"
     "Status: not invalidated, readable and updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: CHV2>\r\n"
     "                   <REHABILITATE: ADM10> <INVALIDATE: RFU>",
     FileMode::Record, "( 01-06 )"},
    {kCyclicAnswer,
     "ID:   6F39\r\nType: EF\r\nSize: 0009 Bytes\r\nStructure: cyclic\r\n"
     "Record Length: 03 Bytes\r\n"
     "Status: invalidated, not readable or updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM5> <INCREASE: CHV1>\r\n"
     "                   <REHABILITATE: ADM1> <INVALIDATE: ADM7>",
     FileMode::Record, "( 01-03 )"},
    {"", "ID:   \r\nType: RFU\r\nAvailable Memory:  Bytes\r\nInclude:  DFs,  EFs", FileMode::None,
     ""},
};

TEST(FileDescriptionTest, DescribesEachKindOfFileLineByLine) {
    for (const SDescriptionCase& c : kDescriptions) {
        SCOPED_TRACE(c.strAnswer);
        const CFileDescription d = CFileDescription::Decode(c.strAnswer);
        EXPECT_EQ(d.m_strProperties, c.pszProperties);
        EXPECT_EQ(d.m_eMode, c.eMode);
        EXPECT_EQ(d.m_strRecordRange, c.pszRange);
    }
    std::string names;
    for (char digit : std::string("0123456789ABCDEFa"))
        names += CFileDescription::AccessConditionName(std::string(1, digit)) + " ";
    EXPECT_EQ(names,
              "ALW CHV1 CHV2 RFU ADM0 ADM1 ADM2 ADM3 ADM4 ADM5 ADM6 ADM7 ADM8 ADM9 ADM10 NEV  ");
    EXPECT_EQ(CFileDescription::AccessConditionName("00"), "");
}

class FilePageLogicTest : public ::testing::Test {
protected:
    // A card that answers each command from m_answers (anything else with 6D00) and
    // remembers what it was sent.
    ExchangeFunction Card() {
        return [this](const std::string& cmd, std::string& response) {
            m_sent.push_back(cmd);
            const auto answer = m_answers.try_emplace(cmd, 0L, "6D00").first->second;
            response = answer.second;
            return answer.first;
        };
    }
    bool Select(const std::string& path) {
        m_logic.Fields().m_strPathName = path;
        return m_logic.SelectPath(Card());
    }
    // Selects 3F00\7F10\<id>, described by that GET RESPONSE answer, and forgets what it sent.
    void SelectFile(const std::string& id, const std::string& description) {
        m_answers["A0A40000023F00"] = {0, "9F16"};
        m_answers["A0A40000027F10"] = {0, "9F1A"};
        m_answers["A0A4000002" + id] = {0, "9F0F"};
        m_answers["A0C000000F"] = {0, description};
        ASSERT_TRUE(Select("3F00\\7F10\\" + id));
        m_sent.clear();
    }

    std::map<std::string, std::pair<long, std::string>> m_answers;
    Strings m_sent;
    CFilePageLogic m_logic;
};

TEST_F(FilePageLogicTest, SelectsLevelByLevelAndADirectoryKeepsTheLastFileFacts) {
    SelectFile("6F3A", kAdnAnswer);
    EXPECT_TRUE(Select("\\3F00\\7F10\\6F3A\\\\"));
    EXPECT_EQ(m_sent,
              (Strings{"A0A40000023F00", "A0A40000027F10", "A0A40000026F3A", "A0C000000F"}));
    EXPECT_EQ(m_logic.Fields().m_strPathName, "3F00\\7F10\\6F3A");

    // The MF or a DF hides reading and updating, and keeps what the last EF needs.
    m_answers["A0A40000027F10"] = {0, "9F16"};
    m_answers["A0C0000016"] = {0, kTelecomAnswer};
    EXPECT_TRUE(Select("3F00\\7F10"));
    EXPECT_EQ(m_logic.Fields().m_strProperties.substr(0, 22), "ID:   7F10\r\nType: DF\r\n");
    EXPECT_TRUE(m_logic.IsRecordFile());
    EXPECT_EQ(m_logic.Fields().m_strRecordRange, "( 01-06 )");
    m_sent.clear();
    EXPECT_FALSE(m_logic.Read(Card()));
    EXPECT_FALSE(m_logic.Update(Card()));
    EXPECT_TRUE(m_sent.empty());
}

TEST_F(FilePageLogicTest, AnInvalidPathOrAFailingAnswerStopsTheWalkAndDescribesNothing) {
    SelectFile("6F3A", kAdnAnswer);
    EXPECT_FALSE(Select("\\3F00\\2FE2\\6F\\"));
    EXPECT_EQ(m_logic.Fields().m_strPathName, "3F00\\2FE2\\6F");
    EXPECT_EQ(m_logic.Fields().m_strProperties, CFilePageLogic::kInvalidPath);
    EXPECT_EQ(m_logic.Mode(), FileMode::None);
    EXPECT_TRUE(m_sent.empty());

    // Each case spoils one answer of the walk: nothing after it is sent.
    const struct {
        std::string command, answer;
        long result;
    } spoiled[] = {{"A0A40000027F10", "9404", 0},  // a level without 9F
                   {"A0C000000F", kAdnAnswer, 0x80100016},
                   {"A0C000000F", kAdnAnswer.substr(0, kAdnAnswer.size() - 4) + "6F00", 0}};
    for (const auto& s : spoiled) {
        SCOPED_TRACE(s.command + " " + s.answer);
        SelectFile("6F3A", kAdnAnswer);
        m_answers[s.command] = {s.result, s.answer};
        EXPECT_FALSE(Select("3F00\\7F10\\6F3A"));
        EXPECT_EQ(m_sent.back(), s.command);
        EXPECT_EQ(m_logic.Fields().m_strProperties, CFilePageLogic::kNotFound);
        EXPECT_EQ(m_logic.Mode(), FileMode::None);
    }
}

TEST_F(FilePageLogicTest, TransparentReadAndUpdatePadTheAddressAndShowTheStatusWord) {
    SelectFile("6F07", kImsiAnswer);
    m_answers["A0B0001005"] = {0, "98101234569000"};
    m_answers["A0D6001002123456"] = {0, "6702"};
    CFileFields& f = m_logic.Fields();
    f.m_strOffset = "10";
    f.m_strLength = "5";
    EXPECT_TRUE(m_logic.Read(Card()));
    EXPECT_EQ(f.m_strOffset + "|" + f.m_strLength, "0010|05");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "9810123456|SW=9000");
    m_answers["A0B0001005"] = {0x80100016, ""};
    m_logic.Read(Card());  // a reader error leaves nothing of the last read
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|SW=");
    f.m_strLength = "02";
    f.m_strData = "123456";  // no check against the length: the card reports it
    EXPECT_TRUE(m_logic.Update(Card()));
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "123456|SW=6702");
    EXPECT_EQ(m_sent, (Strings{"A0B0001005", "A0B0001005", "A0D6001002123456"}));
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
        m_logic.Update(Card());
        m_logic.Read(Card());
        EXPECT_EQ(m_sent, c.sent);
        EXPECT_EQ(m_logic.Fields().m_strRecordNumber, "03");
    }
}

}  // namespace

TEST_F(FilePageLogicTest, TooltipsNameTheFileDecodeAReadFromTheStartAndExplainTheStatusWord) {
    SelectFile("6F3A", kAdnAnswer);
    EXPECT_EQ(m_logic.FileTip(), "EF ADN: Abbreviated Dialling Numbers");
    EXPECT_EQ(m_logic.DataTip(), "");  // nothing read yet
    const std::string record = "416C696365FFFFFFFFFFFFFFFFFF0581550501F0FFFFFFFFFFFFFFFF";
    m_answers["A0B201041C"] = {0, record + "9000"};
    m_logic.Fields().m_strRecordNumber = "1";
    m_logic.Read(Card());
    EXPECT_EQ(m_logic.DataTip().rfind("Alpha identifier: Alice\n", 0), 0u) << m_logic.DataTip();
    EXPECT_EQ(m_logic.StatusWordTip(), "normal ending of the command");

    // A refused read, or data edited since the read, has nothing to decode.
    m_logic.Fields().m_strData = "41";
    EXPECT_EQ(m_logic.DataTip(), "");
    m_answers["A0B201041C"] = {0, "9804"};
    m_logic.Read(Card());
    EXPECT_EQ(m_logic.DataTip(), "");
    EXPECT_NE(m_logic.StatusWordTip().find("access condition not fulfilled"), std::string::npos);

    // A transparent file read from an offset other than 0 does not line up with its fields.
    SelectFile("6F07", kImsiAnswer);
    m_answers["A0B0000109"] = {0, "0910101032547698FF9000"};
    m_logic.Fields().m_strOffset = "0001";
    m_logic.Fields().m_strLength = "09";
    m_logic.Read(Card());
    EXPECT_EQ(m_logic.DataTip(), "");
    EXPECT_EQ(m_logic.FileTip(), "");  // 6F07 is not under DF TELECOM
}
