// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragListCtrl.h"
#include "ItemListDelegate.h"
#include "ItemListModel.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

// The item list and its drag on screen, its right-click and its info tips. Where dropped
// rows land is the model's rule; the column widths kept in the profile and the owner
// arming the empty-view message again are checked on the Script page.
namespace {

// A shown list of rows whose commands are "A", "B", ...; the mouse is driven on its
// viewport, as the user's would be.
class DragListCtrlTest : public ::testing::Test {
protected:
    void Show(int rows, int height = 400) {
        m_list.SetColumns("Item,40;Command,150");
        for (int row = 0; row < rows; ++row)
            m_list.Model()->InsertRowTexts(row, {"", std::string(1, char('A' + row % 26))});
        m_list.resize(300, height);
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }
    QPoint At(int row) const { return m_list.visualRect(m_list.Model()->index(row, 1)).center(); }
    void MoveTo(QPoint point) { QTest::mouseMove(m_list.viewport(), point); }
    // Presses on the row and moves just far enough to begin dragging.
    void Begin(int row) {
        QTest::mousePress(m_list.viewport(), Qt::LeftButton, {}, At(row));
        MoveTo(At(row) + QPoint(0, QApplication::startDragDistance() + 1));
    }
    void DropAt(QPoint point) {
        MoveTo(point);
        QTest::mouseRelease(m_list.viewport(), Qt::LeftButton, {}, point);
    }
    std::string Commands() const {
        std::string texts;
        for (int row = 0; row < m_list.Model()->RowCount(); ++row)
            texts += m_list.Model()->CellText(row, 1);
        return texts;
    }
    // Whether anything but the background is drawn where the empty-view message goes.
    bool ShowsMessage() {
        const QImage image = m_list.viewport()->grab().toImage();
        const QColor background = m_list.palette().color(QPalette::Base);
        for (int y = 10; y < 10 + m_list.fontMetrics().height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != background) return true;
        return false;
    }

    CDragListCtrl m_list;
};

}  // namespace

// The first row wipes the message at once and re-arms it; later rows leave it unarmed,
// so emptying the list paints one blank view before the message comes back.
TEST_F(DragListCtrlTest, AnEmptyListShowsItsMessageUnlessDisarmedByFillingIt) {
    Show(0);
    EXPECT_TRUE(ShowsMessage());
    m_list.Model()->InsertRow(0);
    m_list.Model()->DeleteAllRows();
    EXPECT_TRUE(ShowsMessage());
    m_list.Model()->InsertRow(0);
    m_list.Model()->InsertRow(1);
    m_list.Model()->DeleteAllRows();
    EXPECT_FALSE(ShowsMessage());
    EXPECT_TRUE(ShowsMessage());
}

TEST_F(DragListCtrlTest, DraggedRowsLandAboveTheDropRowSelectedOrNowhereOutsideTheList) {
    Show(7);
    m_list.SetSelection({{1, 3}, 3});
    Begin(3);  // a press on a selected row keeps the whole selection
    EXPECT_TRUE(m_list.DragShowsMulti());
    DropAt(At(5));
    EXPECT_EQ(m_list.DragImage(), nullptr);
    EXPECT_EQ(Commands(), "ACEBDFG");
    EXPECT_EQ(m_list.Selection().aRows, (std::vector<int>{3, 4}));
    EXPECT_EQ(m_list.Selection().nFocus, 4);
    Begin(3);
    DropAt(At(4));  // onto a selected row: nothing moves, the selection stays
    EXPECT_EQ(m_list.Selection().aRows, (std::vector<int>{3, 4}));

    // A click on one of them selects it alone; one row drags its own picture.
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, At(3));
    EXPECT_EQ(m_list.Selection().aRows, std::vector<int>{3});
    Begin(3);
    ASSERT_NE(m_list.DragImage(), nullptr);
    EXPECT_GT(m_list.DragImage()->width(), 48);  // the row, wider than the Multi image
    MoveTo(QPoint(-30, At(5).y()));
    EXPECT_EQ(m_list.DropRow(), -1);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    DropAt(QPoint(-30, At(5).y()));
    EXPECT_EQ(Commands(), "ACEBDFG");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DragListCtrlTest, HoldingRowsOverTheLastOrTopVisibleRowScrollsOneRowPerMove) {
    Show(100, 160);
    const auto lastFullyVisible = [this] {
        int row = m_list.indexAt(QPoint(0, 0)).row();
        while (m_list.visualRect(m_list.Model()->index(row + 1, 0)).bottom() <
               m_list.viewport()->height())
            ++row;
        return row;
    };
    Begin(0);
    MoveTo(At(lastFullyVisible()));
    MoveTo(At(lastFullyVisible()));
    EXPECT_EQ(m_list.verticalScrollBar()->value(), 2);
    MoveTo(At(m_list.indexAt(QPoint(0, 0)).row()));
    EXPECT_EQ(m_list.verticalScrollBar()->value(), 1);
    DropAt(QPoint(-30, -30));
}

// What the window system sends for a right-click: the press, then the menu request.
void RightClick(QAbstractItemView& view, QPoint point) {
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, point);
    QContextMenuEvent request(QContextMenuEvent::Mouse, point, view.viewport()->mapToGlobal(point));
    QApplication::sendEvent(view.viewport(), &request);
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, point);
}

// A right-click below the rows drops the selection before the owner's menu opens; one on
// a row keeps it.
TEST_F(DragListCtrlTest, ARightClickOnNoRowClearsTheSelectionFirst) {
    Show(3);
    std::vector<std::vector<int>> selectedAtMenu;
    m_list.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&m_list, &QWidget::customContextMenuRequested,
                     [&] { selectedAtMenu.push_back(m_list.Selection().aRows); });
    m_list.SetSelection({{0, 1}, 1});
    RightClick(m_list, At(1));
    RightClick(m_list, At(2) + QPoint(0, 100));
    EXPECT_EQ(selectedAtMenu, (std::vector<std::vector<int>>{{0, 1}, {}}));
    EXPECT_EQ(m_list.Selection().nFocus, 1);  // the current row stays
}

// A cell too narrow for its text tips it whole, in lines of 64, with its note after it.
TEST_F(DragListCtrlTest, InfoTipsShowTheWholeTextOfACutOffCellAndItsNote) {
    Show(0);
    const std::string longText(100, '7');
    m_list.Model()->InsertRowsTexts(0, {{"1", "SHORT"}, {"2", longText}, {"3", "NOTED"}});
    m_list.Model()->SetColumnNote(1, [](std::string_view text) {
        return text == "NOTED" ? std::string_view("a note") : std::string_view();
    });
    const auto* pDelegate = qobject_cast<CItemListDelegate*>(m_list.itemDelegate());
    ASSERT_NE(pDelegate, nullptr);
    const auto tip = [&](int row) {
        QStyleOptionViewItem option;
        option.initFrom(&m_list);
        option.rect = m_list.visualRect(m_list.Model()->index(row, 1));
        return pDelegate->TipText(option, m_list.Model()->index(row, 1));
    };
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(tip(1), QString(64, '7') + "\n" + QString(36, '7'));
    EXPECT_EQ(tip(2), "a note");
    m_list.header()->resizeSection(1, 10);
    EXPECT_EQ(tip(2), "NOTED\na note");

    QHelpEvent hover(QEvent::ToolTip, At(1), m_list.viewport()->mapToGlobal(At(1)));
    QApplication::sendEvent(m_list.viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), tip(1));
}
