#include "Beep.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "PathCombo.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Counts the beeps of refused characters instead of playing them.
class FilteredEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        CBeep::SetHook([this] { ++m_nBeeps; });
    }
    void TearDown() override { CBeep::SetHook(nullptr); }
    int m_nBeeps = 0;
};

void PasteInto(QWidget* pEdit, const QString& strClipboard) {
    QApplication::clipboard()->setText(strClipboard);
    QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
}

// Typed (T) or pasted (P) into a fresh hex edit (E), hex combo (C) or path combo (P): the
// text that stays and the beeps for what was refused. Only the path combo takes a backslash.
TEST_F(FilteredEditTest, TypedAndPastedTextKeepsHexDigitsInUpperCaseAndBeepsOnce) {
    const std::tuple<const char*, const char*, const char*, const char*, int> cases[] = {
        {"ET", "", "12g ,aF", "12AF", 3},  {"ET", "", "ABCD\b", "ABC", 0},
        {"EP", "", "ab\r\ncd", "ABCD", 1}, {"EP", "AB", "0f", "AB0F", 0},
        {"EP", "AB", "xyz", "AB", 1},      {"PP", "", "\\3f00\\7f20 x", "\\3F00\\7F20", 1},
        {"CP", "", "a0\\a4", "A0A4", 1},
    };
    for (const auto& [how, start, input, text, nBeeps] : cases) {
        SCOPED_TRACE(std::string(how) + " '" + start + "' + '" + input + "'");
        CHexEdit edit;
        CHexCombo combo;
        CPathCombo path;
        QLineEdit* pEdit = how[0] == 'E'   ? &edit
                           : how[0] == 'C' ? combo.lineEdit()
                                           : path.lineEdit();
        pEdit->setText(start);
        m_nBeeps = 0;
        if (how[1] == 'P')
            PasteInto(pEdit, input);
        else
            QTest::keyClicks(pEdit, input);
        EXPECT_EQ(pEdit->text(), text);
        EXPECT_EQ(m_nBeeps, nBeeps);
    }
}

TEST_F(FilteredEditTest, TypedLimitLeavesProgramTextWhole) {
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
TEST_F(FilteredEditTest, SortedItemsKeepTheirDataAndEnterNeitherAddsNorCompletes) {
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
TEST_F(FilteredEditTest, PathComboCompletesWhileTyping) {
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
            CHexCombo::InsertSorted(&combo, path);
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

}  // namespace
