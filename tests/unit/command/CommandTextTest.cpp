#include "CommandText.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::array<std::string, 6>;

TEST(PresetValueTest, SplitsSixFields) {
    EXPECT_EQ(CCommandText::SplitPresetValue("A0A4<SELECT><00><00><02><IN>"),
              (Fields{"A0A4", "SELECT", "00", "00", "02", "IN"}));
}

TEST(PresetValueTest, HandEditedValuesGiveEmptyFieldsNotFaults) {
    EXPECT_EQ(CCommandText::SplitPresetValue("A0A4 SELECT 00 00 02 IN"), Fields{});
    EXPECT_EQ(CCommandText::SplitPresetValue("A0A4<SELECT><00><00><02><IN"),
              (Fields{"A0A4", "SELECT", "00", "00", "02", ""}));
    EXPECT_EQ(CCommandText::SplitPresetValue("A0A4<SELECT"), (Fields{"A0A4", "", "", "", "", ""}));
    EXPECT_EQ(CCommandText::SplitPresetValue("A0A4>x<<00>"),
              (Fields{"A0A4>x", "", "00", "", "", ""}));
    EXPECT_EQ(CCommandText::SplitPresetValue("<<<<<<"), (Fields{"", "", "", "", "", ""}));
    EXPECT_EQ(CCommandText::SplitPresetValue(">>>>>>"), Fields{});
}

TEST(PresetValueTest, ShortValuesAndTheMissingMarkerAreSkipped) {
    EXPECT_FALSE(CCommandText::ParsePresetValue("A0A4<><0><0><><>"));  // 16, well formed
    EXPECT_FALSE(CCommandText::ParsePresetValue("xxxWRONGxxx"));
    EXPECT_FALSE(CCommandText::ParsePresetValue(""));
    const auto item = CCommandText::ParsePresetValue("A0A4<><0><0><2><>");  // 17
    ASSERT_TRUE(item);
    EXPECT_EQ(item->m_strItemText, "A0A4<>");
    EXPECT_EQ(item->m_preset.m_strP3, "2");
    EXPECT_EQ(item->m_preset.m_strMode, "");
}

std::string Joined(const CCommandFields& f) {
    return f.m_strClaIns + "|" + f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3 + "|" + f.m_strData;
}

TEST(RecentEntryTest, SplitsAfterTheFirstAngleBracketOrFourCharacters) {
    EXPECT_EQ(Joined(CCommandText::SplitRecentEntry("A0A4<SELECT>0000023F00")),
              "A0A4<SELECT>|00|00|02|3F00");
    EXPECT_EQ(CCommandText::SplitRecentEntry("A0A4<SELECT>0000023F00").m_eMode, CommandMode::In);
    EXPECT_EQ(Joined(CCommandText::SplitRecentEntry("A0B0000010")), "A0B0|00|00|10|");
    EXPECT_EQ(CCommandText::SplitRecentEntry("A0B0000010").m_eMode, CommandMode::Out);
    // Entries cut short by hand give empty fields.
    EXPECT_EQ(Joined(CCommandText::SplitRecentEntry("A0")), "A0||||");
    EXPECT_EQ(Joined(CCommandText::SplitRecentEntry("A0A4<X>001")), "A0A4<X>|00|1||");
    EXPECT_EQ(Joined(CCommandText::SplitRecentEntry(">")), ">||||");
}

TEST(CommandBuildTest, PadsTheHeaderAndSendsDataInInModeOnly) {
    CCommandFields f;
    f.m_strClaIns = "A0A4<SELECT>";
    f.m_strP1 = "1";
    f.m_strP2 = "";
    f.m_strP3 = "123";
    f.m_strData = "3F00";
    CCommandText::PadHeader(f);
    EXPECT_EQ(f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3, "01|00|123");
    f.m_eMode = CommandMode::In;
    EXPECT_EQ(CCommandText::BuildCommand(f),
              "A0A40100123"
              "3F00");
    EXPECT_EQ(CCommandText::BuildRecentEntry(f),
              "A0A4<SELECT>0100123"
              "3F00");
    for (CommandMode mode : {CommandMode::Out, CommandMode::Neither}) {
        f.m_eMode = mode;
        EXPECT_EQ(CCommandText::BuildCommand(f), "A0A40100123");
        EXPECT_EQ(CCommandText::BuildRecentEntry(f), "A0A4<SELECT>0100123");
    }
    f.m_strClaIns = "A0";  // fewer digits make a shorter command; nothing pads CLA+INS
    EXPECT_EQ(CCommandText::BuildCommand(f), "A00100123");
}

TEST(CommandBuildTest, SplitsResponsesOfAnyLength) {
    std::string data, sw;
    CCommandText::SplitResponse("3F0090009000", data, sw);
    EXPECT_EQ(data + "|" + sw, "3F009000|9000");
    CCommandText::SplitResponse("6D", data, sw);
    EXPECT_EQ(data + "|" + sw, "|6D");
    CCommandText::SplitResponse("", data, sw);
    EXPECT_EQ(data + "|" + sw, "|");
}

}  // namespace
