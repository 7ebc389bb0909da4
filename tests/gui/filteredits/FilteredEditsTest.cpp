// SPDX-License-Identifier: GPL-3.0-or-later
#include "Beep.h"
#include "ComboItems.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "HistoryCombo.h"
#include "PathCombo.h"
#include "Profile.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Each test runs in its own process with an empty profile.
namespace {

void PasteInto(QWidget* pEdit, const QString& strClipboard) {
    QApplication::clipboard()->setText(strClipboard);
    QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
}

// Typed (T) or pasted (P) into a fresh hex edit (E), hex combo (C) or path combo (P): the
// text that stays and the beeps for what was refused. Only the path combo takes a backslash.
TEST(FilteredEditTest, TypedAndPastedTextKeepsHexDigitsInUpperCaseAndBeepsOnce) {
    int nBeeps = 0;  // counted instead of played
    CBeep::SetHook([&nBeeps] { ++nBeeps; });
    const std::tuple<const char*, const char*, const char*, const char*, int> cases[] = {
        {"ET", "", "12g ,aF", "12AF", 3},  {"ET", "", "ABCD\b", "ABC", 0},
        {"EP", "", "ab\r\ncd", "ABCD", 1}, {"EP", "AB", "0f", "AB0F", 0},
        {"EP", "AB", "xyz", "AB", 1},      {"PP", "", "\\3f00\\7f20 x", "\\3F00\\7F20", 1},
        {"CP", "", "a0\\a4", "A0A4", 1},
    };
    for (const auto& [how, start, input, text, nRefused] : cases) {
        SCOPED_TRACE(std::string(how) + " '" + start + "' + '" + input + "'");
        CHexEdit edit;
        CHexCombo combo;
        CPathCombo path;
        QLineEdit* pEdit = how[0] == 'E'   ? &edit
                           : how[0] == 'C' ? combo.lineEdit()
                                           : path.lineEdit();
        pEdit->setText(start);
        nBeeps = 0;
        if (how[1] == 'P')
            PasteInto(pEdit, input);
        else
            QTest::keyClicks(pEdit, input);
        EXPECT_EQ(pEdit->text(), text);
        EXPECT_EQ(nBeeps, nRefused);
    }
    CBeep::SetHook(nullptr);
}

TEST(FilteredEditTest, TypedLimitLeavesProgramTextWhole) {
    CHexCombo combo;
    combo.HexEdit()->SetTypedLimit(4);
    QTest::keyClicks(combo.lineEdit(), "a0a4b");
    EXPECT_EQ(combo.currentText(), "A0A4");
    combo.setEditText("A0A4<SELECT>");
    EXPECT_EQ(combo.currentText(), "A0A4<SELECT>");
    combo.setEditText("");
    PasteInto(combo.lineEdit(), "1234567");
    EXPECT_EQ(combo.currentText(), "1234");
    combo.lineEdit()->setSelection(1, 2);
    QTest::keyClicks(combo.lineEdit(), "ab");
    EXPECT_EQ(combo.currentText(), "1AB4");

    // Without a limit too, only what the user adds is filtered.
    CHexEdit edit;
    edit.setText("3f 00");
    QTest::keyClicks(&edit, "a");
    EXPECT_EQ(edit.text(), "3f 00A");
    EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));  // no composing of digits
}

// The order itself is ByteTextTest's; here the combo keeps the data and the edit text.
TEST(FilteredEditTest, SortedItemsKeepTheirDataAndEnterNeitherAddsNorCompletes) {
    CHexCombo combo;
    EXPECT_EQ(combo.AddSortedItem("A0B0<READ BINARY>"), 0);
    EXPECT_EQ(combo.AddSortedItem("A0A4<S>", 7), 0);
    EXPECT_EQ(combo.itemData(0).toInt(), 7);
    EXPECT_EQ(combo.currentText(), "");  // adding an item leaves the edit text alone
    QTest::keyClicks(combo.lineEdit(), "A0B");
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentText(), "A0B");
}

// Typing at the end completes from the first entry that begins with the text and highlights
// the rest, which the next character replaces; Backspace, Delete and Enter stop completing.
// Typing inside the text keeps the caret.
TEST(FilteredEditTest, PathComboCompletesWhileTyping) {
    const std::tuple<const char*, int, const char*, Qt::Key, const char*, const char*, bool>
        cases[] = {
            {"", 0, "3f00\\7", {}, "3F00\\7F20\\6F07", "F20\\6F07", true},
            {"", 0, "3f00\\7f20\\6f3", {}, "3F00\\7F20\\6F3A", "A", true},
            {"", 0, "3F0", Qt::Key_Backspace, "3F0", "", false},
            {"", 0, "3F\b\b", {}, "3", "", false},
            {"", 0, "3F\b\bF", {}, "3F00\\2FE2", "00\\2FE2", true},
            {"", 0, "3F00\\2", Qt::Key_Delete, "3F00\\2", "", false},
            {"", 0, "7F1", Qt::Key_Return, "7F1", "", false},
            {"", 0, "7F10", {}, "7F10", "", true},
            {"3F0\\7F20", 3, "0", {}, "3F00\\7F20\\6F07", "", true},
            {"7F1\\0", 3, "0", {}, "7F10\\0", "", true},
        };
    for (const auto& [start, nCaret, typed, key, text, selected, bAutoComplete] : cases) {
        SCOPED_TRACE(std::string(start) + "|" + typed);
        CPathCombo combo;
        for (const char* path : {"3F00\\7F20\\6F3A", "3F00\\2FE2", "3F00\\7F20\\6F07"})
            InsertSorted(&combo, path);
        QLineEdit* pEdit = combo.lineEdit();
        combo.setEditText(start);
        pEdit->setCursorPosition(nCaret);
        QTest::keyClicks(pEdit, typed);
        if (key) QTest::keyClick(pEdit, key);
        EXPECT_EQ(pEdit->text(), text);
        EXPECT_EQ(pEdit->selectedText(), selected);
        // At the end, or just after a character typed inside.
        EXPECT_EQ(pEdit->cursorPosition(), nCaret ? nCaret + 1 : pEdit->text().size());
        EXPECT_EQ(combo.IsAutoComplete(), bAutoComplete);
    }
}

std::string Stored(const std::string& section, int position) {
    return CProfile::GetString(section.c_str(), (section + std::to_string(position)).c_str(),
                               "<absent>");
}

QStringList Entries(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i) entries << combo.itemText(i);
    return entries;
}

// Stores the values in the profile and loads an editable combo from them.
std::unique_ptr<CHistoryCombo> Loaded(const std::string& section,
                                      const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        CProfile::WriteString(section.c_str(), (section + std::to_string(i)).c_str(), values[i]);
    auto pCombo = std::make_unique<CHistoryCombo>();
    pCombo->setEditable(true);
    pCombo->LoadHistory(QString::fromStdString(section));
    return pCombo;
}

// A hand-edited profile: a path of 260 bytes or more, binary bytes and a 1 MB value are
// loaded like any other entry, and none of them hides the entries after it; a gap does.
TEST(HistoryCombo, LoadsSortedUpToTheFirstGapAndClearsTheEditText) {
    const std::string longPath(300, 'A'), huge(1 << 20, '7'), binary("\x01\xFF\x7F;[]=");
    const auto pCombo = Loaded("History", {"7F20", longPath, binary, huge, "2FE2", "", "3F00"});
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
        const std::string section = "History" + std::to_string(++nCase);
        const auto pCombo = Loaded(section, stored);
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
