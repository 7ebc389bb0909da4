#include "BeepCounter.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "PathCombo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <memory>

namespace {

using FilteredEditTest = BeepCountingTest;

// Lets a test deliver a drop without a drag session.
class CDropTarget : public CHexEdit {
public:
    using CHexEdit::dropEvent;
};

void PasteInto(QWidget* pEdit, const QString& strClipboard) {
    QApplication::clipboard()->setText(strClipboard);
    QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
}

TEST_F(FilteredEditTest, TypingKeepsHexDigitsInUpperCaseAndBeepsForTheRest) {
    CHexEdit edit;
    QTest::keyClicks(&edit, "12g ,aF");
    EXPECT_EQ(edit.text(), "12AF");
    EXPECT_EQ(m_nBeeps, 3);
}

TEST_F(FilteredEditTest, BackslashIsForThePathComboOnly) {
    CHexEdit edit;
    CHexCombo combo;
    CPathCombo path;
    QTest::keyClicks(&edit, "3F\\");
    QTest::keyClicks(combo.lineEdit(), "A0\\");
    EXPECT_EQ(m_nBeeps, 2);
    QTest::keyClicks(path.lineEdit(), "3F00\\2fe2");
    EXPECT_EQ(m_nBeeps, 2);
    EXPECT_EQ(edit.text() + "|" + combo.currentText() + "|" + path.currentText(),
              "3F|A0|3F00\\2FE2");
}

TEST_F(FilteredEditTest, ControlCharactersPassWithoutABeep) {
    CHexEdit edit;
    QTest::keyClicks(&edit, "ABCD");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "ABC");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);  // select all
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClicks(&edit, "1");
    EXPECT_EQ(edit.text(), "1");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "ABC");
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(m_nBeeps, 0);
    EXPECT_EQ(QApplication::clipboard()->text(), "ABC");
}

TEST_F(FilteredEditTest, PastedTextIsFilteredWithOneBeep) {
    CHexEdit edit;
    PasteInto(&edit, "12 34");
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_EQ(m_nBeeps, 1);
    edit.selectAll();
    PasteInto(&edit, "ab\r\ncd");
    EXPECT_EQ(edit.text(), "ABCD");
    EXPECT_EQ(m_nBeeps, 2);
    PasteInto(&edit, "0f");
    EXPECT_EQ(edit.text(), "ABCD0F");
    EXPECT_EQ(m_nBeeps, 2);
    PasteInto(&edit, "xyz");
    EXPECT_EQ(edit.text(), "ABCD0F");
    EXPECT_EQ(m_nBeeps, 3);
}

TEST_F(FilteredEditTest, ContextMenuPasteIsFilteredToo) {
    CHexEdit edit;
    QApplication::clipboard()->setText("de ad");
    const std::unique_ptr<QMenu> pMenu(edit.CreateContextMenu());
    QAction* pPaste = CHexEdit::FindPasteAction(pMenu.get());
    ASSERT_NE(pPaste, nullptr);
    pPaste->trigger();
    EXPECT_EQ(edit.text(), "DEAD");
    EXPECT_EQ(m_nBeeps, 1);
}

TEST_F(FilteredEditTest, PasteIntoComboEditsIsFilteredToo) {
    CPathCombo path;
    PasteInto(path.lineEdit(), "\\3f00\\7f20 x");
    EXPECT_EQ(path.currentText(), "\\3F00\\7F20");
    CHexCombo combo;
    PasteInto(combo.lineEdit(), "a0\\a4");
    EXPECT_EQ(combo.currentText(), "A0A4");
    EXPECT_EQ(m_nBeeps, 2);
}

TEST_F(FilteredEditTest, DroppedTextIsFiltered) {
    CDropTarget edit;
    QMimeData mime;
    mime.setText("12 zz34");
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    edit.dropEvent(&drop);
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_EQ(m_nBeeps, 1);
}

TEST_F(FilteredEditTest, InputMethodTextIsFiltered) {
    CHexEdit edit;
    EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent commit;
    commit.setCommitString("ab z");
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), "AB");
    EXPECT_EQ(m_nBeeps, 1);
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
}

TEST_F(FilteredEditTest, EnterNeitherAddsNorCompletes) {
    CHexCombo combo;
    combo.AddSortedItem("A0B0<READ BINARY>");
    EXPECT_EQ(combo.completer(), nullptr);
    EXPECT_EQ(combo.insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(combo.currentText(), "");  // adding an item leaves the edit text alone
    QTest::keyClicks(combo.lineEdit(), "A0B");
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), "A0B");
}

TEST_F(FilteredEditTest, ItemsAreInsertedInCaseInsensitiveOrder) {
    CHexCombo combo;
    EXPECT_EQ(combo.AddSortedItem("a0b0<x>"), 0);
    EXPECT_EQ(combo.AddSortedItem("A0A4<S>"), 0);
    EXPECT_EQ(combo.AddSortedItem("A0B0<A>", 7), 1);
    EXPECT_EQ(combo.AddSortedItem("A0B0<X>"), 3);
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
    EXPECT_EQ(texts, QStringList({"A0A4<S>", "A0B0<A>", "a0b0<x>", "A0B0<X>"}));
    EXPECT_EQ(combo.itemData(1).toInt(), 7);
}

}  // namespace
