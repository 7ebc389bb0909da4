// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptCount.h"

#include <gtest/gtest.h>

#include <optional>

// New and Properties take what the field shows: digits alone, 0 to 999.
TEST(ScriptCount, TakesDecimalDigitsFrom0To999Only) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0},        {"999", 999},           {"007", 7},          {"50", 50},
        {"1000", {}},    {"0999", 999},          {"00001000", {}},    {"", {}},
        {"-1", {}},      {"+5", {}},             {" 5", {}},          {"5 ", {}},
        {"1e3", {}},     {"99999999999999", {}}, {"\xD9", {}},
    };
    for (const auto& [text, count] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CScriptCount::FromText(text), count);
    }
}
