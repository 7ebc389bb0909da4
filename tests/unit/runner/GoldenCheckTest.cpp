// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoldenCheck.h"

#include <gtest/gtest.h>

// A golden line matches only a line of its own length; '?' stands for exactly one character.
TEST(GoldenCheckTest, MatchesOnlyLinesOfTheSameLengthWithQuestionMarksForOneCharacter) {
    const struct {
        const char* pszGolden;
        const char* pszActual;
        bool bMatch;
    } cases[] = {
        {"A0B000000A;9000", "A0B000000A;9000", true},
        {"A0B000000A;9???", "A0B000000A;9000", true},
        {"A0B000000A;900", "A0B000000A;9000", false},    // one character short
        {"A0B000000A;90000", "A0B000000A;9000", false},  // one character long
        {"A0B000000A;9001", "A0B000000A;9000", false},   // the last character differs
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszGolden) + " ~ " + c.pszActual);
        EXPECT_EQ(CGoldenCheck::Matches(c.pszGolden, c.pszActual), c.bMatch);
    }
}
