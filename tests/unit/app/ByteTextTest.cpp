#include "ByteText.h"

#include <gtest/gtest.h>

#include <string>
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
    // Bytes above 0x7F keep their order: no locale folds them.
    EXPECT_FALSE(EqualNoCase("\xC9", "\xE9"));
    std::vector<std::string> list;
    for (const char* text : {"beta", "Alpha", "gamma", "ALPHA", "Delta", "alpha 2"}) {
        const std::size_t at = SortedInsertPosition(
            list.size(), [&list](std::size_t i) { return list[i]; }, text);
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), text);
    }
    EXPECT_EQ(list,
              (std::vector<std::string>{"Alpha", "ALPHA", "alpha 2", "beta", "Delta", "gamma"}));
}
