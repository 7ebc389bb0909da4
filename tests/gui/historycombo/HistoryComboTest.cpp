#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

#include "HistoryCombo.h"
#include "Profile.h"

// Each test runs in its own process with an empty profile.
namespace {

const char* kSection = "HistoryCombo";

QStringList Entries(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i) entries << combo.itemText(i);
    return entries;
}

std::string Stored(int position) {
    return CProfile::GetString(kSection, ("HistoryCombo" + std::to_string(position)).c_str(), "<absent>");
}

void Store(int position, const std::string& value) {
    CProfile::WriteString(kSection, ("HistoryCombo" + std::to_string(position)).c_str(), value);
}

// An editable combo holding what the profile holds.
std::unique_ptr<CHistoryCombo> Loaded() {
    auto pCombo = std::make_unique<CHistoryCombo>();
    pCombo->setEditable(true);
    pCombo->LoadHistory(kSection);
    return pCombo;
}

}  // namespace

TEST(HistoryCombo, LoadsSortedUpToTheFirstGapAndClearsTheEditText) {
    Store(0, "7F20");
    Store(1, "3F00\\2FE2");
    Store(3, "3F00\\7F10");
    const auto pCombo = Loaded();
    EXPECT_EQ(Entries(*pCombo), (QStringList{"3F00\\2FE2", "7F20"}));
    EXPECT_EQ(pCombo->currentText(), QString());
}

// A hand-edited profile: a path of 260 bytes or more, binary bytes and a 1 MB value are
// loaded like any other entry, and none of them hides the entries after it.
TEST(HistoryCombo, LongAndBinaryEntriesAreLoadedWithEveryLaterOne) {
    const std::string longPath(300, 'A'), huge(1 << 20, '7'), binary("\x01\xFF\x7F;[]=");
    const std::string values[] = {"2FE2", longPath, binary, huge, "7F20"};
    for (int i = 0; i < 5; ++i) Store(i, values[i]);
    const auto pCombo = Loaded();
    QStringList expected;
    for (const std::string& value : values) expected << QString::fromLatin1(value.c_str());
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(Entries(*pCombo), expected);
}

TEST(HistoryCombo, AFirstLoadStartsEmptyAndAdditionsPersist) {
    {
        const auto pCombo = Loaded();
        EXPECT_EQ(pCombo->count(), 0);
        EXPECT_EQ(pCombo->AddToHistory("3F00\\7F20\\6F07"), 0);
        pCombo->setEditText("3F00\\7F10");
        EXPECT_EQ(pCombo->AddToHistory(), 1);
        EXPECT_EQ(pCombo->currentText(), "3F00\\7F10");  // adding never changes the edit text
    }
    EXPECT_EQ(Entries(*Loaded()), (QStringList{"3F00\\7F10", "3F00\\7F20\\6F07"}));
}

TEST(HistoryCombo, AnEntryDifferingOnlyInCaseIsNotAddedAgain) {
    Store(0, "3F00\\7F20\\6F3A");
    const auto pCombo = Loaded();
    EXPECT_EQ(pCombo->AddToHistory("3f00\\7f20\\6f3a"), -1);
    EXPECT_EQ(pCombo->count(), 1);
    EXPECT_EQ(Stored(1), "<absent>");
}

TEST(HistoryCombo, APrefixOfTheSecondEntryGoesToTheTop) {
    Store(0, "2FE2");
    Store(1, "3F00\\7F20");
    const auto pCombo = Loaded();
    EXPECT_EQ(pCombo->AddToHistory("3F00"), 0);
    EXPECT_EQ(Entries(*pCombo), (QStringList{"3F00", "2FE2", "3F00\\7F20"}));
    EXPECT_EQ(Stored(0), "3F00");
    EXPECT_EQ(Stored(2), "3F00\\7F20");
}

TEST(HistoryCombo, TheEleventhEntryPushesOutTheTopAndAllTenAreRewritten) {
    for (int i = 0; i < 10; ++i) Store(i, "3F00\\7F2" + std::to_string(9 - i));
    const auto pCombo = Loaded();
    ASSERT_EQ(pCombo->itemText(0), "3F00\\7F20");
    EXPECT_EQ(pCombo->AddToHistory("7F10"), 9);
    EXPECT_EQ(pCombo->count(), 10);
    EXPECT_FALSE(Entries(*pCombo).contains("3F00\\7F20"));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Stored(i), pCombo->itemText(i).toStdString()) << i;
    EXPECT_EQ(Stored(10), "<absent>");
}

TEST(HistoryCombo, WithoutLoadingNothingIsStored) {
    CHistoryCombo combo;
    combo.setEditable(true);
    EXPECT_EQ(combo.AddToHistory("3F00"), 0);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(Stored(0), "<absent>");
}
