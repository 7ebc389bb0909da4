// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

TEST(ByteText, EveryByteSurvivesTheTripThroughAQString) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Bytes(Latin1(all)), all);
}

TEST(ByteText, PadsOnTheLeftToTheWidthOnly) {
    EXPECT_EQ(PadLeft("A", 4), "000A");
    EXPECT_EQ(PadLeft("12345", 4), "12345");
}

// A new text goes after the texts equal to it.
TEST(ByteText, ComparesAndSortsWithoutTheCaseOfAsciiLetters) {
    EXPECT_TRUE(EqualNoCase("a0b0<Read>", "A0B0<READ>"));
    EXPECT_FALSE(EqualNoCase("A0", "A0B0"));
    EXPECT_TRUE(StartsWithNoCase("A0A4<SELECT>", "a0a4"));
    EXPECT_FALSE(StartsWithNoCase("A0", "A0A4"));
    std::vector<std::string> list;
    for (const char* text : {"beta", "Alpha", "gamma", "ALPHA", "Delta", "alpha 2"}) {
        const std::size_t at = SortedInsertPosition(
            list.size(), [&list](std::size_t i) { return list[i]; }, text);
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), text);
    }
    EXPECT_EQ(list,
              (std::vector<std::string>{"Alpha", "ALPHA", "alpha 2", "beta", "Delta", "gamma"}));
}

// Only A to Z fold, whatever the locale: the bytes just outside the range and every byte
// above 0x7F stay, so accented letters never match.
TEST(ByteText, FoldsExactlyTheAsciiCapitals) {
    EXPECT_EQ(LowerAscii("@AZ[`az{\xC0\xC9\xDE"), "@az[`az{\xC0\xC9\xDE");
}

// From the start given, round to the top; the first text is found only after the last.
TEST(ByteText, FindsTheFirstTextStartingWithAPrefixWrappingRound) {
    const std::vector<std::string> texts{"3F00\\7F10", "3F00", "3f00\\7F20", "2FE2"};
    const auto textAt = [&texts](std::size_t i) { return texts[i]; };
    const std::vector<std::tuple<std::size_t, const char*, int>> cases{
        {0, "3F00", 0},      {1, "3F00", 1}, {2, "3F00\\7f2", 2}, {3, "3F00", 0},
        {3, "3F00\\7F1", 0}, {0, "2FE2", 3}, {0, "2FE22", -1},    {1, "", 1}};
    for (const auto& [start, pszPrefix, nFound] : cases)
        EXPECT_EQ(FindStartingWith(texts.size(), start, textAt, pszPrefix), nFound) << pszPrefix;
    EXPECT_EQ(FindStartingWith(0, 0, textAt, ""), -1);
}
