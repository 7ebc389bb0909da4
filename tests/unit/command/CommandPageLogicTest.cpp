#include "CommandPageLogic.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

std::string ReadBytes(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

class CommandPageLogicTest : public ::testing::Test {
protected:
    std::string IniPath() const { return m_exeDir.File("Command.INI"); }
    void WriteIni(const std::string& bytes) { std::ofstream(IniPath(), std::ios::binary) << bytes; }
    CCommandIniLocation Location(bool bExeWritable = true) const {
        return CCommandIniLocation(QString::fromStdString(m_exeDir.Path()),
                                   QString::fromStdString(m_userDir.Path() + "/Mireldane"),
                                   [bExeWritable](const QString&) { return bExeWritable; });
    }
    CCommandPageLogic Loaded(const std::string& ini) {
        WriteIni(ini);
        CCommandPageLogic logic(Location());
        logic.Load();
        return logic;
    }
    // Answers every command with the next scripted response and the given result.
    CCommandPageLogic::ExchangeFunction Card(Strings responses, long result = 0) {
        return [this, responses, result](const std::string& cmd, std::string& response) {
            response = m_sent.size() < responses.size() ? responses[m_sent.size()] : "";
            m_sent.push_back(cmd);
            return result;
        };
    }
    long SendTyped(CCommandPageLogic& logic, const std::string& claIns, CommandMode mode,
                   const std::string& data = "") {
        CCommandFields& f = logic.Fields();
        f = CCommandFields();
        f.m_strClaIns = claIns;
        f.m_strP1 = "0";
        f.m_strData = data;
        f.m_eMode = mode;
        return logic.Send(Card({"9000"}));
    }

    CTempDir m_exeDir;
    CTempDir m_userDir;
    Strings m_sent;
};

const std::string kPresets =
    "[Command]\r\nCommandNb=7\r\n"
    "Command1=a0b0<read binary><00><00><0A><OUT>\r\n"
    "Command2=A0A4<SELECT><00><00><02><IN>\r\n"
    "Command3=A0A4<><0><0><><>\r\n"  // 16 characters: skipped
    "Command4=A0A4<SELECT MF><00><00><02><IN>\r\n"
    "Command5=A0B0<READ BINARY 2><01><02><03><sideways>\r\n"
    "Command6=xxxWRONGxxx\r\n";

TEST_F(CommandPageLogicTest, PresetsLoadSortedAndFillTheHeaderWhenChosenOrCompleted) {
    CCommandPageLogic logic = Loaded(kPresets);
    Strings texts;
    for (const auto& item : logic.Presets()) texts.push_back(item.m_strItemText);
    EXPECT_EQ(texts, (Strings{"A0A4<SELECT MF>", "A0A4<SELECT>", "A0B0<READ BINARY 2>",
                              "a0b0<read binary>"}));
    ASSERT_TRUE(logic.SelectPreset(1) && logic.SelectPreset(2));  // "sideways" keeps IN
    EXPECT_EQ(logic.Fields().m_strP1 + logic.Fields().m_strP2 + logic.Fields().m_strP3, "010203");
    EXPECT_EQ(logic.Fields().m_eMode, CommandMode::In);
    ASSERT_TRUE(logic.SelectPreset(3));
    EXPECT_EQ(logic.Fields().m_eMode, CommandMode::Out);
    EXPECT_FALSE(logic.SelectPreset(4));
    EXPECT_FALSE(logic.SelectPreset(-1));

    // Completion searches from the second item and wraps round.
    EXPECT_EQ(logic.CompleteTyped("a0a4"), 1);
    EXPECT_EQ(logic.Fields().m_strClaIns + "|" + logic.Fields().m_strP3, "A0A4<SELECT>|02");
    EXPECT_EQ(logic.Fields().m_eMode, CommandMode::In);
    EXPECT_EQ(logic.FindPresetFromTop("a0a4"), 0);
    EXPECT_EQ(logic.FindPresetToComplete("a0b0"), 2);
    EXPECT_EQ(logic.FindPresetToComplete("A0A4<SELECT M"), 0);
    EXPECT_EQ(logic.FindPresetToComplete("A0B"), -1);  // shorter texts do nothing
    EXPECT_EQ(logic.FindPresetToComplete("A0C0"), -1);
    EXPECT_EQ(logic.FindPresetFromTop(""), -1);
}

TEST_F(CommandPageLogicTest, SendPadsSendsSplitsTheAnswerAndRemembersOnlySuccess) {
    CCommandPageLogic logic = Loaded("[LastCmd]\r\nLastCmdNb=5\r\n");
    CCommandFields& f = logic.Fields();
    f.m_strClaIns = "A0A4<SELECT>";
    f.m_strP1 = "1";
    f.m_strP3 = "2";
    f.m_strData = "3F00";
    f.m_eMode = CommandMode::In;
    EXPECT_EQ(logic.Send(Card({"9F16"})), 0);
    EXPECT_EQ(m_sent, Strings{"A0A40100023F00"});
    EXPECT_EQ(f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3, "01|00|02");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|9F16");

    f.m_strData = "FFFF";  // OUT mode neither sends nor remembers the data
    f.m_eMode = CommandMode::Out;
    logic.Send(Card({"", "0102039000"}));
    EXPECT_EQ(m_sent.back(), "A0A4010002");
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "010203|9000");
    f.m_eMode = CommandMode::Neither;  // nor does no mode at all
    f.m_strData = "FFFF";
    logic.Send(Card({"", "", "9000"}));
    EXPECT_EQ(m_sent.back(), "A0A4010002");

    f.m_strClaIns = "A0F2";  // a failed exchange shows its (empty) answer and is forgotten
    EXPECT_EQ(logic.Send(Card({"", "", "", "6F00"}, 0x80100016)), 0x80100016);
    EXPECT_EQ(f.m_strData + "|" + f.m_strStatusWord, "|6F00");
    EXPECT_EQ(logic.RecentEntries(), (Strings{"A0A4<SELECT>0100023F00", "A0A4<SELECT>010002"}));
}

TEST_F(CommandPageLogicTest, RecentListKeepsOneEntryPerCommandIgnoringCase) {
    CCommandPageLogic logic = Loaded("[LastCmd]\r\nLastCmdNb=3\r\n");
    SendTyped(logic, "A0F2", CommandMode::Out);
    SendTyped(logic, "A0B0", CommandMode::Out);
    SendTyped(logic, "a0f2", CommandMode::Out);
    EXPECT_EQ(logic.RecentEntries(), (Strings{"A0B0000000", "a0f2000000"}));
    SendTyped(logic, "A0C0", CommandMode::Out);
    SendTyped(logic, "A0D6", CommandMode::In, "12");  // a fourth distinct one drops the top
    EXPECT_EQ(logic.RecentEntries(), (Strings{"a0f2000000", "A0C0000000", "A0D600000012"}));
}

TEST_F(CommandPageLogicTest, CapacityZeroKeepsOnlyTheLastCommandWritesNothingAndIsReread) {
    const std::string ini = "; none kept\n[LastCmd]\nLastCmdNb=0\nLastCmd1=A0F2000016\n";
    CCommandPageLogic logic = Loaded(ini);
    EXPECT_TRUE(logic.RecentEntries().empty());
    SendTyped(logic, "A0F2", CommandMode::Out);
    SendTyped(logic, "A0B0", CommandMode::Out);
    EXPECT_EQ(logic.RecentEntries(), Strings{"A0B0000000"});
    EXPECT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()), ini);
    WriteIni("[LastCmd]\nLastCmdNb=2\n");  // an edit takes effect at the next send
    SendTyped(logic, "A0C0", CommandMode::Out);
    SendTyped(logic, "A0D6", CommandMode::Out);
    EXPECT_EQ(logic.RecentEntries(), (Strings{"A0C0000000", "A0D6000000"}));
}

TEST_F(CommandPageLogicTest, RecentEntriesSelectBackAndDelete) {
    CCommandPageLogic logic = Loaded(
        "[LastCmd]\r\nLastCmdNb=4\r\nLastCmd1=A0A4<SELECT>0000023F00\r\nLastCmd2=\r\n"
        "LastCmd3=A0B0000010\r\nLastCmd4=xxxWRONGxxx\r\n");
    ASSERT_EQ(logic.RecentEntries(), (Strings{"A0A4<SELECT>0000023F00", "A0B0000010"}));
    logic.Fields().m_strStatusWord = "9000";
    ASSERT_TRUE(logic.SelectRecent(0));
    EXPECT_EQ(logic.Fields().m_strClaIns + "|" + logic.Fields().m_strData, "A0A4<SELECT>|3F00");
    EXPECT_EQ(logic.Fields().m_eMode, CommandMode::In);
    EXPECT_EQ(logic.Fields().m_strStatusWord, "9000");
    ASSERT_TRUE(logic.SelectRecent(1));
    EXPECT_EQ(logic.Fields().m_eMode, CommandMode::Out);
    EXPECT_FALSE(logic.SelectRecent(2));
    EXPECT_EQ(logic.DeleteRecent(0), 0);   // the next entry moved into its place
    EXPECT_EQ(logic.DeleteRecent(0), -1);  // the last one: nothing left to select
    EXPECT_EQ(logic.DeleteRecent(0), -1);
    EXPECT_TRUE(logic.RecentEntries().empty());
}

TEST_F(CommandPageLogicTest, SaveWritesExactlyCapacityKeysAndKeepsTheRest) {
    const std::string ini =
        "; mine\n[Command]\nCommandNb=0\n[LastCmd]\nLastCmdNb=3\nLastCmd2=old\n";
    CCommandPageLogic logic = Loaded(ini);
    SendTyped(logic, "A0F2", CommandMode::Out);
    ASSERT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()),
              "; mine\n[Command]\nCommandNb=0\n[LastCmd]\nLastCmdNb=3\nLastCmd2=A0F2000000\n"
              "LastCmd1=old\r\nLastCmd3=\r\n");
}

TEST_F(CommandPageLogicTest, ALoweredCapacityKeepsTheNewestEntriesOnSave) {
    CCommandPageLogic logic =
        Loaded("[LastCmd]\nLastCmdNb=3\nLastCmd1=A0F2000000\nLastCmd2=A0B0000000\nLastCmd3=A0C0000000\n");
    WriteIni("[LastCmd]\nLastCmdNb=1\n");  // lowered by hand while the program runs
    SendTyped(logic, "A0D6", CommandMode::Out);
    ASSERT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()), "[LastCmd]\nLastCmdNb=1\nLastCmd1=A0D6000000\r\n");
}

TEST_F(CommandPageLogicTest, LongAndHostileValuesRoundTripUncut) {
    const std::string longEntry = "A0D6000000" + std::string(590, 'A');
    const std::string binaryPreset = "\x01\xff<"s + '\0' + ">>>>>>>>>>>>>";  // 17 bytes
    CCommandPageLogic logic =
        Loaded("[Command]\nCommandNb=4294967296\nCommand1=A0A4<SELECT\nCommand2="s + binaryPreset +
               "\n[LastCmd]\nLastCmdNb=99999999999\nLastCmd1=" + longEntry + "\nLastCmd2=>\n");
    EXPECT_EQ(logic.Presets().size(), 1u);  // Command1 is too short
    ASSERT_EQ(logic.RecentEntries().size(), 2u);
    EXPECT_EQ(logic.RecentEntries()[0], longEntry);
    ASSERT_TRUE(logic.SelectRecent(0));
    EXPECT_EQ(logic.Fields().m_strData.size(), 590u);
    ASSERT_TRUE(logic.SelectRecent(1));
    EXPECT_EQ(logic.Fields().m_strClaIns, ">");
    EXPECT_EQ(logic.ReadCapacity(), CCommandPageLogic::kMaxEntries);
    ASSERT_TRUE(logic.SaveRecent());
    CCommandPageLogic reloaded(Location());
    reloaded.Load();
    EXPECT_EQ(reloaded.RecentEntries(), logic.RecentEntries());
}

TEST_F(CommandPageLogicTest, InstalledCopyWritesToTheUserFolderOnly) {
    const std::string ini = "[LastCmd]\r\nLastCmdNb=2\r\n";
    WriteIni(ini);
    CCommandPageLogic logic(Location(false));
    logic.Load();
    SendTyped(logic, "A0F2", CommandMode::Out);
    ASSERT_TRUE(logic.SaveRecent());
    EXPECT_EQ(ReadBytes(IniPath()), ini);
    const std::string userFile = m_userDir.Path() + "/Mireldane/Command.INI";
    EXPECT_EQ(ReadBytes(userFile), ini + "LastCmd1=A0F2000000\r\nLastCmd2=\r\n");
    CCommandPageLogic next(Location(false));  // the user's copy is read from now on
    next.Load();
    EXPECT_EQ(next.RecentEntries(), Strings{"A0F2000000"});
}

TEST_F(CommandPageLogicTest, ShippedSampleHoldsWellFormedPresets) {
    const std::string sample = ReadBytes(CORVANTA_COMMAND_INI_SAMPLE);
    CCommandPageLogic logic = Loaded(sample);
    EXPECT_EQ(logic.ReadCapacity(), 20u);
    ASSERT_EQ(logic.Presets().size(), 24u);
    for (const auto& item : logic.Presets()) {
        const std::string& text = item.m_strItemText;
        const auto& p = item.m_preset;
        EXPECT_TRUE(text.rfind("A0", 0) == 0 && text.find_first_not_of("0123456789ABCDEF") == 4 &&
                    (p.m_strMode == "IN" || p.m_strMode == "OUT") &&
                    p.m_strP1.size() + p.m_strP2.size() + p.m_strP3.size() == 6)
            << text;
    }
}

TEST(CommandIniLocationTest, ExecutableFolderIsUsedWhileWritable) {
    CTempDir exeDir;
    const QString exe = QString::fromStdString(exeDir.Path());
    CCommandIniLocation location(exe, exe + "/user");
    EXPECT_EQ(location.ReadPath(), exe + "/Command.INI");
    EXPECT_EQ(location.PrepareWritePath(), exe + "/Command.INI");
    EXPECT_FALSE(CCommandIniLocation::IsWritableLocation(exe + "/missing/Command.INI"));
    EXPECT_TRUE(CCommandIniLocation::IsWritableLocation(exe + "/Command.INI"));
}

}  // namespace

namespace {

// Command.INI edited by hand or broken: binary bytes, a 100 MB line, a million lines, and
// counts far beyond the entries there. Load keeps what parses and stops at the limits.
TEST_F(CommandPageLogicTest, CorruptOrEnormousIniLoadsWhatParses) {
    std::string junk(1000000 * 8, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = i % 8 == 7 ? '\n' : "x=\x01\xFF[;="[i % 7];
    const std::string ini = "[Command]\r\nCommandNb=99999999999\r\nCommand1=A0F2<STATUS><00><00><16><OUT>\r\n"
                            "Command2=" + std::string(100 << 20, 'A') + "\r\n" + junk +
                            "[LastCmd]\r\nLastCmdNb=-5\r\nLastCmd1=A0F2000016\r\n";
    CCommandPageLogic logic = Loaded(ini);
    std::string items;
    for (const auto& preset : logic.Presets()) items += preset.m_strItemText.substr(0, 20) + "|";
    EXPECT_EQ(items, "<>|A0F2<STATUS>|");  // the 100 MB value has no fields to show
    EXPECT_TRUE(logic.RecentEntries().empty());
}

}  // namespace
