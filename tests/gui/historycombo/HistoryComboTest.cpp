#include "HistoryCombo.h"
#include "Profile.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Each test runs in its own process with an empty profile.
namespace {

using namespace std::string_literals;

std::string Stored(const std::string& section, int position) {
    return CProfile::GetString(section.c_str(), (section + std::to_string(position)).c_str(),
                               "<absent>");
}

void Store(const std::string& section, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        CProfile::WriteString(section.c_str(), (section + std::to_string(i)).c_str(), values[i]);
}

QStringList Entries(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i) entries << combo.itemText(i);
    return entries;
}

// An editable combo holding what the profile holds.
std::unique_ptr<CHistoryCombo> Loaded(const std::string& section) {
    auto pCombo = std::make_unique<CHistoryCombo>();
    pCombo->setEditable(true);
    pCombo->LoadHistory(QString::fromStdString(section));
    return pCombo;
}

// A hand-edited profile: a path of 260 bytes or more, binary bytes and a 1 MB value are
// loaded like any other entry, and none of them hides the entries after it; a gap does.
TEST(HistoryCombo, LoadsSortedUpToTheFirstGapAndClearsTheEditText) {
    const std::string longPath(300, 'A'), huge(1 << 20, '7'), binary("\x01\xFF\x7F;[]=");
    Store("History", {"7F20", longPath, binary, huge, "2FE2", "", "3F00"});
    const auto pCombo = Loaded("History");
    const auto latin1 = [](const std::string& value) { return QString::fromLatin1(value.c_str()); };
    const QStringList expected = {latin1(binary), "2FE2", latin1(huge), "7F20", latin1(longPath)};
    EXPECT_EQ(Entries(*pCombo), expected);
    EXPECT_EQ(pCombo->currentText(), QString());
}

// What an addition returns and where it goes: not at all when an entry differs only in
// case, to the top as a prefix of the second entry, else at the end, the eleventh pushing
// out the top one. Every entry is written back in its new place.
TEST(HistoryCombo, AddsEachEntryOnceInItsPlaceAndStoresTheList) {
    const std::tuple<std::vector<std::string>, const char*, int, QStringList> cases[] = {
        {{}, "3F00\\7F20\\6F07", 0, {"3F00\\7F20\\6F07"}},
        {{"3F00\\7F20\\6F3A"}, "3f00\\7f20\\6f3a", -1, {"3F00\\7F20\\6F3A"}},
        {{"2FE2", "3F00\\7F20"}, "3F00", 0, {"3F00", "2FE2", "3F00\\7F20"}},
        {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         "7F10",
         9,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "7F10"}},
    };
    int nCase = 0;
    for (const auto& [stored, added, nPosition, entries] : cases) {
        SCOPED_TRACE(added);
        const std::string section = "History"s + std::to_string(++nCase);
        Store(section, stored);
        const auto pCombo = Loaded(section);
        pCombo->setEditText(added);
        EXPECT_EQ(pCombo->AddToHistory(), nPosition);
        EXPECT_EQ(pCombo->currentText(), added);  // adding never changes the edit text
        EXPECT_EQ(Entries(*pCombo), entries);
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(Stored(section, i),
                      i < entries.size() ? entries[i].toStdString() : "<absent>");
    }
}

}  // namespace
