#include "BeepCounter.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "PathCombo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
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

// Typed or pasted into a fresh hex edit, hex combo or path combo: the text that stays and
// the beeps for what was refused. Only the path combo takes a backslash.
TEST_F(FilteredEditTest, TypedAndPastedTextKeepsHexDigitsInUpperCaseAndBeepsOnce) {
    struct SCase {
        char control;  // E, C or P
        bool bPaste;
        const char* pszStart;
        const char* pszInput;
        const char* pszText;
        int nBeeps;
    };
    const SCase cases[] = {
        {'E', false, "", "12g ,aF", "12AF", 3},
        {'E', false, "", "3F\\", "3F", 1},
        {'C', false, "", "A0\\", "A0", 1},
        {'P', false, "", "3F00\\2fe2", "3F00\\2FE2", 0},
        {'E', true, "", "12 34", "1234", 1},
        {'E', true, "", "ab\r\ncd", "ABCD", 1},
        {'E', true, "AB", "0f", "AB0F", 0},
        {'E', true, "AB", "xyz", "AB", 1},
        {'P', true, "", "\\3f00\\7f20 x", "\\3F00\\7F20", 1},
        {'C', true, "", "a0\\a4", "A0A4", 1},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.control) + " '" + c.pszStart + "' + '" + c.pszInput + "'");
        CHexEdit edit;
        CHexCombo combo;
        CPathCombo path;
        QLineEdit* pEdit = c.control == 'E'   ? &edit
                           : c.control == 'C' ? combo.lineEdit()
                                              : path.lineEdit();
        pEdit->setText(c.pszStart);
        m_nBeeps = 0;
        if (c.bPaste)
            PasteInto(pEdit, c.pszInput);
        else
            QTest::keyClicks(pEdit, c.pszInput);
        EXPECT_EQ(pEdit->text(), c.pszText);
        EXPECT_EQ(m_nBeeps, c.nBeeps);
    }
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

// The context menu's Paste, a drop and an input method are filtered like typing.
TEST_F(FilteredEditTest, TextFromTheMenuADropOrAnInputMethodIsFiltered) {
    CDropTarget edit;
    QApplication::clipboard()->setText("de ad");
    const std::unique_ptr<QMenu> pMenu(edit.createStandardContextMenu());
    QAction* pPaste = nullptr;
    for (QAction* pAction : pMenu->actions())
        if (pAction->text().startsWith("&Paste")) pPaste = pAction;
    ASSERT_NE(pPaste, nullptr);
    pPaste->trigger();
    EXPECT_EQ(edit.text(), "DEAD");

    QMimeData mime;
    mime.setText("12 zz34");
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    edit.dropEvent(&drop);
    EXPECT_EQ(edit.text(), "1234DEAD");  // at the drop point

    EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent commit;
    commit.setCommitString("ab z");
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), "1234ABDEAD");
    EXPECT_EQ(m_nBeeps, 3);
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

}  // namespace
