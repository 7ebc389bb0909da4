#include "ProfileFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// A hand-edited file: comments, odd blanks, quotes, duplicates, mixed line ends.
const std::string kUserFile =
    "; my presets\r\n"
    "  [ command ]  \r\n"
    "  commandNB =  3 \r\n"
    "Command1 = \"A0A4<SELECT><00><00><02><IN>\"\n"
    "COMMAND1=the second one is never read\r\n"
    "\r\n"
    "[LastCmd]\n"
    "LastCmdNb=2\n"
    "LastCmd1=  'A0F2000016'  \n"
    "\n"
    "[Other]\r\n"
    "CommandNb=99\r\n";

class ProfileFileTest : public ::testing::Test {
protected:
    CProfileFile LoadedWith(const std::string& bytes) {
        WriteBytes(m_dir.File("Command.INI"), bytes);
        CProfileFile ini(QString::fromStdString(m_dir.File("Command.INI")));
        EXPECT_TRUE(ini.Load());
        return ini;
    }
    std::string SavedBytes(CProfileFile& ini) {
        EXPECT_TRUE(ini.Save());
        return ReadBytes(m_dir.File("Command.INI"));
    }
    CTempDir m_dir;
};

TEST_F(ProfileFileTest, ReadsKeysRegardlessOfCaseBlanksAndQuotes) {
    const CProfileFile ini = LoadedWith(kUserFile);
    EXPECT_EQ(ini.GetString("Command", "CommandNb"), "3");
    EXPECT_EQ(ini.GetInt("COMMAND", "commandnb", 7), 3u);
    EXPECT_EQ(ini.GetString("Command", "Command1"), "A0A4<SELECT><00><00><02><IN>");
    EXPECT_EQ(ini.GetString("LastCmd", "LastCmd1"), "A0F2000016");
    EXPECT_EQ(ini.GetInt("Other", "CommandNb", 0), 99u);
    EXPECT_FALSE(ini.GetString("Command", "Command2").has_value());
    EXPECT_FALSE(ini.GetString("Missing", "CommandNb").has_value());
    EXPECT_EQ(ini.GetString("Command", "Command2", "xxxWRONGxxx"), "xxxWRONGxxx");
}

TEST_F(ProfileFileTest, ReadsIntegersFromLeadingDigits) {
    const CProfileFile ini =
        LoadedWith("[S]\nDigits=12abc\nWord=abc\nEmpty=\nNegative=-5\nHuge=99999999999999999999\n");
    EXPECT_EQ(ini.GetInt("S", "Digits", 7), 12u);
    EXPECT_EQ(ini.GetInt("S", "Word", 7), 0u);
    EXPECT_EQ(ini.GetInt("S", "Empty", 7), 7u);
    EXPECT_EQ(ini.GetInt("S", "Absent", 7), 7u);
    EXPECT_EQ(ini.GetInt("S", "Negative", 7), 0u);
    EXPECT_EQ(ini.GetInt("S", "Huge", 7), 0xFFFFFFFFu);
}

TEST_F(ProfileFileTest, WritingAKeyChangesOnlyItsValue) {
    CProfileFile ini = LoadedWith(kUserFile);
    ini.SetString("lastcmd", "LASTCMD1", "A0B0000010");
    ini.SetString("Command", "Command1", "new");
    std::string expected = kUserFile;
    expected.replace(expected.find("'A0F2000016'  "), 14, "A0B0000010");
    expected.replace(expected.find("\"A0A4<SELECT><00><00><02><IN>\""), 30, "new");
    EXPECT_EQ(SavedBytes(ini), expected);
}

TEST_F(ProfileFileTest, NewKeyJoinsTheEndOfItsSectionWithCrLf) {
    CProfileFile ini = LoadedWith(kUserFile);
    ini.SetString("LastCmd", "LastCmd2", "A0C000000F");
    std::string expected = kUserFile;
    const std::string after = "LastCmd1=  'A0F2000016'  \n";
    expected.insert(expected.find(after) + after.size(), "LastCmd2=A0C000000F\r\n");
    EXPECT_EQ(SavedBytes(ini), expected);
    EXPECT_EQ(ini.GetString("LastCmd", "LastCmd2"), "A0C000000F");
}

TEST_F(ProfileFileTest, NewSectionIsAppendedAfterALastLineWithoutLineEnd) {
    CProfileFile ini = LoadedWith("[Command]\r\nCommandNb=0");
    ini.SetString("LastCmd", "LastCmd1", "A0F2000016");
    ini.SetString("Command", "Command1", "x");
    EXPECT_EQ(SavedBytes(ini),
              "[Command]\r\nCommandNb=0\r\nCommand1=x\r\n[LastCmd]\r\nLastCmd1=A0F2000016\r\n");
}

TEST_F(ProfileFileTest, MissingFileReadsEmptyAndIsCreatedOnSave) {
    CProfileFile ini(QString::fromStdString(m_dir.File("absent.ini")));
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetInt("LastCmd", "LastCmdNb", 0), 0u);
    ini.SetString("LastCmd", "LastCmd1", "A0A40000023F00");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(m_dir.File("absent.ini")), "[LastCmd]\r\nLastCmd1=A0A40000023F00\r\n");
}

TEST_F(ProfileFileTest, HostileBytesAndLongValuesSurvive) {
    const std::string longValue(600, '7');
    std::string bytes = "[LastCmd]\r\nLastCmd1=" + longValue + "\r\nBinary=\xff\x01";
    bytes += std::string(1, '\0') + "a\rb\r\nNoEquals\r\n=orphan\r\n[Unclosed\r\nKey=v\r\n";
    CProfileFile ini = LoadedWith(bytes);
    EXPECT_EQ(ini.GetString("LastCmd", "LastCmd1"), longValue);
    EXPECT_EQ(ini.GetString("LastCmd", "Binary"), std::string("\xff\x01") + '\0' + "a\rb");
    EXPECT_EQ(ini.GetString("Unclosed", "Key"), "v");
    ini.SetString("LastCmd", "LastCmd1", "ab\r\ncd");  // a line break would split the line
    std::string expected = bytes;
    expected.replace(expected.find(longValue), longValue.size(), "abcd");
    EXPECT_EQ(SavedBytes(ini), expected);
}

TEST_F(ProfileFileTest, SaveIntoAMissingFolderFailsWithoutAFile) {
    CProfileFile ini(QString::fromStdString(m_dir.File("no/such/folder/Command.INI")));
    ini.SetString("LastCmd", "LastCmd1", "x");
    EXPECT_FALSE(ini.Save());
}

}  // namespace
