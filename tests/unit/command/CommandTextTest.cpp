#include "CommandText.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Fields = std::array<std::string, 6>;

TEST(PresetValueTest, SplitsSixFieldsAndHandEditsGiveEmptyFieldsNotFaults) {
    const std::pair<const char*, Fields> cases[] = {
        {"A0A4<SELECT><00><00><02><IN>", {"A0A4", "SELECT", "00", "00", "02", "IN"}},
        {"A0A4 SELECT 00 00 02 IN", {}},
        {"A0A4<SELECT><00><00><02><IN", {"A0A4", "SELECT", "00", "00", "02", ""}},
        {"A0A4<SELECT", {"A0A4", "", "", "", "", ""}},
        {"A0A4>x<<00>", {"A0A4>x", "", "00", "", "", ""}},
        {"<<<<<<", {"", "", "", "", "", ""}},
        {">>>>>>", {}},
    };
    for (const auto& [value, fields] : cases) {
        EXPECT_EQ(CCommandText::SplitPresetValue(value), fields) << value;
    }
}

TEST(PresetValueTest, ValuesOfSixteenCharactersOrLessAreSkipped) {
    EXPECT_FALSE(CCommandText::ParsePresetValue("A0A4<><0><0><><>"));
    const auto item = CCommandText::ParsePresetValue("A0A4<><0><0><2><>");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->m_strItemText + "|" + item->m_preset.m_strP3 + "|" + item->m_preset.m_strMode,
              "A0A4<>|2|");
}

TEST(RecentEntryTest, SplitsAfterTheFirstAngleBracketOrFourCharacters) {
    const struct {
        const char* entry;
        const char* fields;
        CommandMode mode;
    } cases[] = {
        {"A0A4<SELECT>0000023F00", "A0A4<SELECT>|00|00|02|3F00", CommandMode::In},
        {"A0B0000010", "A0B0|00|00|10|", CommandMode::Out},
        // Entries cut short by hand give empty fields.
        {"A0", "A0||||", CommandMode::Out},
        {"A0A4<X>001", "A0A4<X>|00|1||", CommandMode::Out},
        {">", ">||||", CommandMode::Out},
    };
    for (const auto& c : cases) {
        const CCommandFields f = CCommandText::SplitRecentEntry(c.entry);
        EXPECT_EQ(f.m_strClaIns + "|" + f.m_strP1 + "|" + f.m_strP2 + "|" + f.m_strP3 + "|" +
                      f.m_strData,
                  c.fields);
        EXPECT_EQ(f.m_eMode, c.mode) << c.entry;
    }
}

}  // namespace
