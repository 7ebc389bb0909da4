#include "BeepCounter.h"
#include "HexCombo.h"
#include "PathCombo.h"

#include <QLineEdit>
#include <QTest>

namespace {

class PathComboTest : public BeepCountingTest {
protected:
    void SetUp() override {
        BeepCountingTest::SetUp();
        for (const char* path : {"3F00\\7F20\\6F3A", "3F00\\2FE2", "3F00\\7F20\\6F07"}) {
            CHexCombo::InsertSorted(&m_combo, path, QVariant());
        }
    }
    QLineEdit* Edit() { return m_combo.lineEdit(); }
    CPathCombo m_combo;
};

TEST_F(PathComboTest, TypingCompletesFromTheFirstMatchAndHighlightsTheRest) {
    QTest::keyClicks(Edit(), "3f00\\7");
    EXPECT_EQ(Edit()->text(), "3F00\\7F20\\6F07");
    EXPECT_EQ(Edit()->selectedText(), "F20\\6F07");
    EXPECT_EQ(Edit()->cursorPosition(), Edit()->text().size());
    QTest::keyClicks(Edit(), "f20\\6f3");  // each character replaces the highlighted rest
    EXPECT_EQ(Edit()->text(), "3F00\\7F20\\6F3A");
    EXPECT_EQ(Edit()->selectedText(), "A");
    EXPECT_EQ(m_nBeeps, 0);
}

TEST_F(PathComboTest, BackspaceRemovesTheHighlightAndDoesNotCompleteAgain) {
    m_combo.clear();
    CHexCombo::InsertSorted(&m_combo, "3F00\\7F20\\6F07", QVariant());
    QTest::keyClicks(Edit(), "3F");
    EXPECT_EQ(Edit()->text(), "3F00\\7F20\\6F07");
    EXPECT_EQ(Edit()->selectedText(), "00\\7F20\\6F07");
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(Edit()->text(), "3F");
    EXPECT_FALSE(m_combo.IsAutoComplete());
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(Edit()->text(), "3");
    QTest::keyClicks(Edit(), "F");
    EXPECT_TRUE(m_combo.IsAutoComplete());
    EXPECT_EQ(Edit()->text(), "3F00\\7F20\\6F07");
}

TEST_F(PathComboTest, DeleteAndEnterAlsoStopCompletion) {
    QTest::keyClicks(Edit(), "3F00\\2");
    QTest::keyClick(Edit(), Qt::Key_Delete);
    EXPECT_EQ(Edit()->text(), "3F00\\2");
    EXPECT_FALSE(m_combo.IsAutoComplete());
    QTest::keyClick(Edit(), Qt::Key_Return);
    EXPECT_FALSE(m_combo.IsAutoComplete());
    EXPECT_EQ(m_combo.count(), 3);
}

TEST_F(PathComboTest, TypingInTheMiddleKeepsTheCaret) {
    m_combo.setEditText("3F0\\7F20");
    Edit()->setCursorPosition(3);
    QTest::keyClicks(Edit(), "0");
    EXPECT_EQ(Edit()->text(), "3F00\\7F20\\6F07");
    EXPECT_EQ(Edit()->cursorPosition(), 4);
    EXPECT_FALSE(Edit()->hasSelectedText());
}

TEST_F(PathComboTest, TextWithoutAMatchStaysAsTyped) {
    QTest::keyClicks(Edit(), "7F10");
    EXPECT_EQ(Edit()->text(), "7F10");
    EXPECT_EQ(Edit()->cursorPosition(), 4);
    Edit()->setCursorPosition(1);
    QTest::keyClicks(Edit(), "A");
    EXPECT_EQ(Edit()->text(), "7AF10");
    EXPECT_EQ(Edit()->cursorPosition(), 2);
}

}  // namespace
