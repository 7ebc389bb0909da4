// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandPageLogic.h"
#include "FileSizeLimit.h"
#include "ProfileFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>
#include <vector>

// The Command page's library without a window: the text formats, Command.INI as a profile
// file, and the page's operations on presets and recent entries.
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

std::string ReadBytes(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

class CommandLogicTest : public ::testing::Test {
protected:
    std::string IniPath() const { return m_exeDir.File("Command.INI"); }
    void WriteIni(const std::string& bytes) { std::ofstream(IniPath(), std::ios::binary) << bytes; }
    CProfileFile ProfileWith(const std::string& bytes) {
        WriteIni(bytes);
        CProfileFile ini(QString::fromStdString(IniPath()));
        EXPECT_TRUE(ini.Load());
        return ini;
    }
    // Command.INI beside the executable, which the user may write to or not.
    CCommandPageLogic Loaded(const std::string& ini, bool bExeWritable = true) {
        WriteIni(ini);
        CCommandPageLogic logic(
            CCommandIniLocation(QString::fromStdString(m_exeDir.Path()),
                                QString::fromStdString(m_exeDir.File("user/Mireldane")),
                                [bExeWritable](const QString&) { return bExeWritable; }));
        logic.Load();
        return logic;
    }
    // Sends the fields to a card that records the command and gives this answer.
    long Send(CCommandPageLogic& logic, const std::string& answer, long result = 0) {
        return logic.Send([&](const std::string& cmd, std::string& response) {
            m_sent.push_back(cmd);
            response = answer;
            return result;
        });
    }
    void SendOut(CCommandPageLogic& logic, const std::string& claIns) {
        logic.Fields() = CCommandFields{claIns, "", "", "", "", "", CommandMode::Out};
        Send(logic, "9000");
    }

    CTempDir m_exeDir;
    Strings m_sent;
};

// Hand-edited text gives empty fields, never a fault.
TEST(CommandTextTest, PresetValuesAndRecentEntriesSplitIntoFields) {
    const std::pair<const char*, std::array<std::string, 6>> presets[] = {
        {"A0A4<SELECT><00><00><02><IN>", {"A0A4", "SELECT", "00", "00", "02", "IN"}},
        {"A0A4<SELECT><00><00><02><IN", {"A0A4", "SELECT", "00", "00", "02", ""}},
        {"A0A4<SELECT", {"A0A4", "", "", "", "", ""}},
        {"A0A4>x<<00>", {"A0A4>x", "", "00", "", "", ""}},
        {">>>>>>", {}},
    };
    for (const auto& [value, fields] : presets)
        EXPECT_EQ(CCommandText::SplitPresetValue(value), fields) << value;
    // CLA+INS runs to the first '>', else four characters; the mode is IN with data only.
    const std::tuple<const char*, const char*, CommandMode> entries[] = {
        {"A0A4<SELECT>0000023F00", "A0A4<SELECT>|00|00|02|3F00", CommandMode::In},
        {"A0B0000010", "A0B0|00|00|10|", CommandMode::Out},
        {"A0", "A0||||", CommandMode::Out},
        {"A0A4<X>001", "A0A4<X>|00|1||", CommandMode::Out},
    };
    for (const auto& [entry, fields, mode] : entries) {
        const CCommandFields f = CCommandText::SplitRecentEntry(entry);
        EXPECT_EQ(
            f.m_strClaIns + "|" + f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3 + "|" + f.m_strData,
            fields);
        EXPECT_EQ(f.m_eMode, mode) << entry;
    }
    EXPECT_FALSE(CCommandText::ParsePresetValue("A0A4<><0><0><><>"));  // 16 characters
    EXPECT_EQ(CCommandText::ParsePresetValue("A0A4<><0><0><2><>").value().m_strItemText, "A0A4<>");
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

TEST_F(CommandLogicTest, ProfileReadsKeysRegardlessOfCaseBlanksAndQuotesAndHostileBytes) {
    const CProfileFile ini = ProfileWith(
        kUserFile + "Long=" + std::string(600, '7') + "\r\nBinary=\xff\x01" + '\0' +
        "a\rb\r\nNoEquals\r\n=orphan\r\n[Unclosed\r\nKey=v\r\n[S]\nDigits=12abc\nWord=abc\n"
        "Empty=\nNegative=-5\nHuge=99999999999999999999\n");
    const std::tuple<const char*, const char*, std::optional<std::string>> strings[] = {
        {"Command", "CommandNb", "3"},
        {"COMMAND", "command1", "A0A4<SELECT><00><00><02><IN>"},
        {"LastCmd", "LastCmd1", "A0F2000016"},
        {"Other", "CommandNb", "99"},
        {"Other", "Long", std::string(600, '7')},
        {"Other", "Binary", "\xff\x01"s + '\0' + "a\rb"},
        {"Unclosed", "Key", "v"},
        {"Command", "Command2", std::nullopt},
        {"Missing", "CommandNb", std::nullopt},
    };
    for (const auto& [section, key, value] : strings)
        EXPECT_EQ(ini.GetString(section, key), value) << key;
    const std::pair<const char*, unsigned> numbers[] = {{"Digits", 12},  {"Word", 0},
                                                        {"Empty", 7},    {"Absent", 7},
                                                        {"Negative", 0}, {"Huge", 0xFFFFFFFFu}};
    for (const auto& [key, value] : numbers) EXPECT_EQ(ini.GetInt("S", key, 7), value) << key;
}

// Writing changes only the value or adds a line at the end of the section; a line break in
// a value would split its line, so it is dropped. A save cut short keeps the old file.
TEST_F(CommandLogicTest, ProfileWritesKeysInPlaceAndKeepsEverythingElse) {
    const auto replaced = [](std::string bytes, const std::string& from, const std::string& to) {
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    const std::tuple<std::string, const char*, const char*, std::string> cases[] = {
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
    for (const auto& [before, section, key, after] : cases) {
        SCOPED_TRACE(key);
        CProfileFile ini = ProfileWith(before);
        ini.SetString(section, key, "A0C0\r\n00000F");
        ASSERT_TRUE(ini.Save());
        EXPECT_EQ(ReadBytes(IniPath()), after);
        EXPECT_EQ(ini.GetString(section, key), "A0C000000F");
    }
    // A save that runs out of room part way (a full disk; here a file size limit) keeps the
    // old file, also when all of it was still in the write buffer.
    CProfileFile ini = ProfileWith(kUserFile);
    ini.SetString("LastCmd", "LastCmd2", std::string(8000, '7'));
    const CFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.IsActive());
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ReadBytes(IniPath()), kUserFile);
}

TEST_F(CommandLogicTest, PresetsLoadSortedAndFillTheHeaderWhenChosenOrCompleted) {
    CCommandPageLogic logic = Loaded(
        "[Command]\r\nCommandNb=5\r\nCommand1=a0b0<read binary><00><00><0A><OUT>\r\n"
        "Command2=A0A4<SELECT><00><00><02><IN>\r\nCommand3=A0A4<SELECT MF><00><00><02><IN>\r\n"
        "Command4=A0B0<READ BINARY 2><01><02><03><sideways>\r\n");
    Strings texts;
    for (const auto& item : logic.Presets()) texts.push_back(item.m_strItemText);
    EXPECT_EQ(texts, (Strings{"A0A4<SELECT MF>", "A0A4<SELECT>", "A0B0<READ BINARY 2>",
                              "a0b0<read binary>"}));
    const CCommandFields& f = logic.Fields();
    ASSERT_TRUE(logic.SelectPreset(1) && logic.SelectPreset(2));  // "sideways" keeps IN
    EXPECT_EQ(f.m_strP1 + f.m_strP2 + f.m_strP3, "010203");
    EXPECT_EQ(f.m_eMode, CommandMode::In);
    ASSERT_TRUE(logic.SelectPreset(3));
    EXPECT_EQ(f.m_eMode, CommandMode::Out);
    EXPECT_FALSE(logic.SelectPreset(4) || logic.SelectPreset(-1));

    // Completion searches from the second item and wraps round.
    EXPECT_EQ(logic.CompleteTyped("a0a4"), 1);
    EXPECT_EQ(f.m_strClaIns + "|" + f.m_strP3, "A0A4<SELECT>|02");
    EXPECT_EQ(logic.FindPresetFromTop("a0a4"), 0);
    EXPECT_EQ(logic.FindPresetToComplete("A0A4<SELECT M"), 0);
    EXPECT_EQ(logic.FindPresetToComplete("A0B"), -1);  // shorter texts do nothing
    EXPECT_EQ(logic.FindPresetToComplete("A0C0"), -1);
    EXPECT_EQ(logic.FindPresetFromTop(""), -1);
}

TEST_F(CommandLogicTest, SendPadsSendsSplitsTheAnswerAndRemembersOnlySuccess) {
    CCommandPageLogic logic = Loaded("[LastCmd]\r\nLastCmdNb=5\r\n");
    CCommandFields& f = logic.Fields();
    f = CCommandFields{"A0A4<SELECT>", "1", "", "2", "3F00", "", CommandMode::In};
    EXPECT_EQ(Send(logic, "9F16"), 0);
    EXPECT_EQ(f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3, "01|00|02");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|9F16");

    f.m_strData = "FFFF";  // OUT mode neither sends nor remembers the data
    f.m_eMode = CommandMode::Out;
    Send(logic, "0102039000");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "010203|9000");
    f.m_eMode = CommandMode::Neither;  // nor does no mode at all
    f.m_strData = "FFFF";
    Send(logic, "9000");
    EXPECT_EQ(m_sent, (Strings{"A0A40100023F00", "A0A4010002", "A0A4010002"}));

    f.m_strClaIns = "A0F2";  // a failed exchange shows its (empty) answer and is forgotten
    EXPECT_EQ(Send(logic, "6F00", 0x80100016), 0x80100016);
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|6F00");
    EXPECT_EQ(logic.RecentEntries(), (Strings{"A0A4<SELECT>0100023F00", "A0A4<SELECT>010002"}));
}

// The capacity is read from the file at load and at every send, so a hand edit takes
// effect at once.
TEST_F(CommandLogicTest, RecentListKeepsOneEntryPerCommandWithinTheCapacityOfTheFile) {
    const std::tuple<const char*, Strings, Strings> cases[] = {
        {"3", {"A0F2", "A0B0", "a0f2"}, {"A0B0000000", "a0f2000000"}},
        {"3", {"A0F2", "A0B0", "A0C0", "A0D6"}, {"A0B0000000", "A0C0000000", "A0D6000000"}},
        {"0", {"A0F2", "A0B0"}, {"A0B0000000"}},  // no list kept, only the last command
    };
    for (const auto& [capacity, sent, recent] : cases) {
        SCOPED_TRACE(capacity);
        CCommandPageLogic logic = Loaded("[LastCmd]\nLastCmdNb=0\nLastCmd1=A0F2000016\n");
        WriteIni("[LastCmd]\nLastCmdNb="s + capacity + "\n");
        for (const std::string& claIns : sent) SendOut(logic, claIns);
        EXPECT_EQ(logic.RecentEntries(), recent);
    }
}

TEST_F(CommandLogicTest, RecentEntriesSelectBackAndDelete) {
    CCommandPageLogic logic = Loaded(
        "[LastCmd]\r\nLastCmdNb=5\r\nLastCmd1=A0A4<SELECT>0000023F00\r\nLastCmd2=\r\n"
        "LastCmd3=A0B0000010\r\n");
    ASSERT_EQ(logic.RecentEntries(), (Strings{"A0A4<SELECT>0000023F00", "A0B0000010"}));
    logic.Fields().m_strStatusWord = "9000";
    ASSERT_TRUE(logic.SelectRecent(0));
    EXPECT_EQ(logic.Fields().m_strClaIns + "|" + logic.Fields().m_strData, "A0A4<SELECT>|3F00");
    EXPECT_EQ(logic.Fields().m_strStatusWord, "9000");
    EXPECT_FALSE(logic.SelectRecent(2));
    EXPECT_EQ(logic.DeleteRecent(0), 0);   // the next entry moved into its place
    EXPECT_EQ(logic.DeleteRecent(0), -1);  // the last one: nothing left to select
    EXPECT_EQ(logic.DeleteRecent(0), -1);
}

// A capacity lowered by hand while the program runs keeps the newest entries; the keys
// already there change in place, the rest of the file stays.
TEST_F(CommandLogicTest, SaveWritesTheNewestEntriesUnderTheCapacityOfTheFile) {
    CCommandPageLogic logic = Loaded(
        "[LastCmd]\nLastCmdNb=3\nLastCmd1=A0F2000000\nLastCmd2=A0B0000000\nLastCmd3=A0C0000000\n");
    WriteIni("; mine\n[LastCmd]\nLastCmdNb=2\nLastCmd2=old\n[Command]\nCommandNb=0\n");
    SendOut(logic, "A0D6");
    ASSERT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()),
              "; mine\n[LastCmd]\nLastCmdNb=2\nLastCmd2=A0D6000000\nLastCmd1=A0C0000000\r\n"
              "[Command]\nCommandNb=0\n");
}

// A 100 MB line, a million lines of junk and counts far beyond the entries: load keeps
// what parses and stops at the limits.
TEST_F(CommandLogicTest, CorruptOrEnormousIniLoadsWhatParses) {
    std::string junk(1000000 * 8, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = i % 8 == 7 ? '\n' : "x=\x01\xFF[;="[i % 7];
    CCommandPageLogic logic =
        Loaded("[Command]\nCommandNb=4294967296\nCommand1=" + std::string(100 << 20, 'A') + "\n" +
               junk + "[LastCmd]\nLastCmdNb=99999999999\nLastCmd1=>\n");
    EXPECT_EQ(logic.Presets().size(), 1u);  // "<>": the long value has no fields
    EXPECT_EQ(logic.RecentEntries(), Strings{">"});
    EXPECT_EQ(logic.ReadCapacity(), CCommandPageLogic::kMaxEntries);
}

// Long entries go to the file and come back uncut.
TEST_F(CommandLogicTest, IniIsWrittenBesideTheExecutableWhileWritableElseInTheUserFolder) {
    const std::string ini = "[LastCmd]\r\nLastCmdNb=2\r\n", claIns = "A0F2" + std::string(600, 'F');
    CCommandPageLogic logic = Loaded(ini, false);
    SendOut(logic, claIns);
    ASSERT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()), ini);
    const std::string userFile = m_exeDir.File("user/Mireldane/Command.INI");
    EXPECT_EQ(ReadBytes(userFile), ini + "LastCmd1=" + claIns + "000000\r\nLastCmd2=\r\n");
    // The user's copy is read from now on.
    CCommandPageLogic next = Loaded(ini, false);
    EXPECT_EQ(next.RecentEntries(), Strings{claIns + "000000"});
    ASSERT_TRUE(next.SelectRecent(0));
    EXPECT_EQ(next.Fields().m_strData.size(), 600u);
    // A writable executable folder is written to.
    const QString exe = QString::fromStdString(m_exeDir.Path());
    EXPECT_EQ(CCommandIniLocation(exe, exe + "/user").PrepareWritePath(), exe + "/Command.INI");
    EXPECT_FALSE(CCommandIniLocation::IsWritableLocation(exe + "/missing/Command.INI"));
}

TEST_F(CommandLogicTest, ShippedSampleHoldsWellFormedPresets) {
    CCommandPageLogic logic = Loaded(ReadBytes(CORVANTA_COMMAND_INI_SAMPLE));
    EXPECT_EQ(logic.ReadCapacity(), 20u);
    ASSERT_EQ(logic.Presets().size(), 24u);
    for (const auto& item : logic.Presets())
        EXPECT_TRUE(item.m_preset.m_strMode == "IN" || item.m_preset.m_strMode == "OUT")
            << item.m_strItemText;
}

}  // namespace
