#include "FileSizeLimit.h"
#include "ProfileFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>

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
    const std::pair<const char*, unsigned> cases[] = {{"Digits", 12},   {"Word", 0},
                                                      {"Empty", 7},     {"Absent", 7},
                                                      {"Negative", 0},  {"Huge", 0xFFFFFFFFu}};
    for (const auto& [key, value] : cases) EXPECT_EQ(ini.GetInt("S", key, 7), value) << key;
}

TEST_F(ProfileFileTest, WritingChangesOnlyTheValueOrAddsALineAtTheEndOfTheSection) {
    const auto replaced = [](std::string bytes, const std::string& from, const std::string& to) {
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    const struct {
        std::string before;
        const char* section;
        const char* key;
        std::string after;
    } cases[] = {
        {kUserFile, "lastcmd", "LASTCMD1", replaced(kUserFile, "'A0F2000016'  ", "A0C000000F")},
        {kUserFile, "Command", "Command1",
         replaced(kUserFile, "\"A0A4<SELECT><00><00><02><IN>\"", "A0C000000F")},
        {kUserFile, "LastCmd", "LastCmd2",
         replaced(kUserFile, "\n\n[Other]", "\nLastCmd2=A0C000000F\r\n\n[Other]")},
        // A last line without a line end gets one before the new key or section.
        {"[LastCmd]\r\nLastCmdNb=0", "LastCmd", "LastCmd2",
         "[LastCmd]\r\nLastCmdNb=0\r\nLastCmd2=A0C000000F\r\n"},
        {"[Command]\r\nCommandNb=0", "LastCmd", "LastCmd2",
         "[Command]\r\nCommandNb=0\r\n[LastCmd]\r\nLastCmd2=A0C000000F\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        CProfileFile ini = LoadedWith(c.before);
        ini.SetString(c.section, c.key, "A0C000000F");
        EXPECT_EQ(SavedBytes(ini), c.after);
        EXPECT_EQ(ini.GetString(c.section, c.key), "A0C000000F");
    }
}

TEST_F(ProfileFileTest, MissingFileReadsEmptyAndIsCreatedOnSaveUnlessItsFolderIsMissing) {
    CProfileFile ini(QString::fromStdString(m_dir.File("absent.ini")));
    EXPECT_TRUE(ini.Load());
    ini.SetString("LastCmd", "LastCmd1", "A0A40000023F00");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(m_dir.File("absent.ini")), "[LastCmd]\r\nLastCmd1=A0A40000023F00\r\n");
    CProfileFile nowhere(QString::fromStdString(m_dir.File("no/such/folder/Command.INI")));
    nowhere.SetString("LastCmd", "LastCmd1", "x");
    EXPECT_FALSE(nowhere.Save());
}

// A save that runs out of room part way (a full disk; here a file size limit) keeps the
// old file, also when all of it was still in the write buffer.
TEST_F(ProfileFileTest, ASaveCutShortKeepsTheOldFile) {
    CProfileFile ini = LoadedWith(kUserFile);
    ini.SetString("LastCmd", "LastCmd2", std::string(8000, '7'));
    const CFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.IsActive());
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ReadBytes(m_dir.File("Command.INI")), kUserFile);
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

}  // namespace
