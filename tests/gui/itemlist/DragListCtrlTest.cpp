#include "DragListCtrl.h"
#include "ItemListModel.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A shown list of rows whose commands are "A", "B", ...; the mouse is driven on its
// viewport, as the user's would be.
class DragListCtrlTest : public ::testing::Test {
protected:
    void Show(int rows, int height = 400) {
        m_list.SetColumns("Item,40;BreakPoint,75;Command,150");
        for (int row = 0; row < rows; ++row)
            m_list.Model()->InsertRowTexts(
                row, {std::to_string(row + 1), "", std::string(1, char('A' + row % 26))});
        m_list.resize(300, height);
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    QPoint RowPoint(int row) const {
        return m_list.visualRect(m_list.Model()->index(row, 2)).center();
    }

    void Press(int row) { QTest::mousePress(m_list.viewport(), Qt::LeftButton, {}, RowPoint(row)); }
    void MoveTo(QPoint point) { QTest::mouseMove(m_list.viewport(), point); }
    void Release(QPoint point) {
        QTest::mouseRelease(m_list.viewport(), Qt::LeftButton, {}, point);
    }
    // Press on one row, move past the drag distance, then onto another row and let go.
    void Drag(int fromRow, QPoint to) {
        Press(fromRow);
        MoveTo(RowPoint(fromRow) + QPoint(0, QApplication::startDragDistance() + 1));
        MoveTo(to);
        Release(to);
    }

    Texts Commands() const {
        Texts texts;
        for (int row = 0; row < m_list.Model()->RowCount(); ++row)
            texts.push_back(m_list.Model()->CellText(row, 2));
        return texts;
    }

    int LastFullyVisibleRow() const {
        int row = m_list.indexAt(QPoint(0, 0)).row();
        while (m_list.visualRect(m_list.Model()->index(row + 1, 0)).bottom() <
               m_list.viewport()->height())
            ++row;
        return row;
    }

    CDragListCtrl m_list;
};

}  // namespace

TEST_F(DragListCtrlTest, SelectedRowsDraggedOntoARowLandAboveItSelectedWithTheMultiImage) {
    Show(7);
    m_list.SetSelection({{1, 3}, 3});
    Press(3);
    MoveTo(RowPoint(3) + QPoint(0, QApplication::startDragDistance() + 1));
    ASSERT_TRUE(m_list.IsDragging());
    EXPECT_TRUE(m_list.DragShowsMulti());
    MoveTo(RowPoint(5));
    EXPECT_EQ(m_list.DropRow(), 5);
    Release(RowPoint(5));

    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_EQ(m_list.DragImage(), nullptr);
    EXPECT_EQ(Commands(), (Texts{"A", "C", "E", "B", "D", "F", "G"}));
    EXPECT_EQ(m_list.Selection().aRows, (std::vector<int>{3, 4}));
    EXPECT_EQ(m_list.Selection().nFocus, 4);
}

TEST_F(DragListCtrlTest, ADropOntoASelectedRowOrOutsideTheListMovesNothing) {
    Show(7);
    m_list.SetSelection({{1, 3}, 3});
    Drag(1, RowPoint(3));
    EXPECT_EQ(Commands(), (Texts{"A", "B", "C", "D", "E", "F", "G"}));
    EXPECT_EQ(m_list.Selection().aRows, (std::vector<int>{1, 3}));

    Press(1);
    MoveTo(RowPoint(1) + QPoint(0, QApplication::startDragDistance() + 1));
    MoveTo(QPoint(-30, RowPoint(5).y()));
    EXPECT_EQ(m_list.DropRow(), -1);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    Release(QPoint(-30, RowPoint(5).y()));
    EXPECT_EQ(Commands(), (Texts{"A", "B", "C", "D", "E", "F", "G"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DragListCtrlTest, AClickOnOneOfSeveralSelectedRowsSelectsItAloneAndOneRowDragsItsOwnImage) {
    Show(5);
    m_list.SetSelection({{1, 2}, 2});
    Press(1);
    Release(RowPoint(1));
    EXPECT_EQ(m_list.Selection().aRows, std::vector<int>{1});

    Press(3);  // an unselected row is selected on the press
    MoveTo(RowPoint(3) + QPoint(0, QApplication::startDragDistance() + 1));
    ASSERT_TRUE(m_list.IsDragging());
    EXPECT_FALSE(m_list.DragShowsMulti());
    ASSERT_NE(m_list.DragImage(), nullptr);
    EXPECT_GT(m_list.DragImage()->width(), 48);
    MoveTo(RowPoint(0));
    Release(RowPoint(0));
    EXPECT_EQ(Commands(), (Texts{"D", "A", "B", "C", "E"}));
}

TEST_F(DragListCtrlTest, HoldingRowsOverTheLastOrTopVisibleRowScrollsOneRowPerMove) {
    Show(100, 160);
    QScrollBar& scroll = *m_list.verticalScrollBar();
    Press(0);
    MoveTo(RowPoint(0) + QPoint(0, QApplication::startDragDistance() + 1));
    MoveTo(RowPoint(LastFullyVisibleRow()));
    MoveTo(RowPoint(LastFullyVisibleRow()));
    EXPECT_EQ(scroll.value(), 2);
    MoveTo(RowPoint(m_list.indexAt(QPoint(0, 0)).row()));
    EXPECT_EQ(scroll.value(), 1);
    Release(QPoint(-30, -30));
}
