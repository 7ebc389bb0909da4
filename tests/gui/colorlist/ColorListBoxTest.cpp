#include "ColorLineModel.h"
#include "ColorListBox.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr std::uint32_t kBlue = 0x0000FF, kRed = 0xFF0000;

bool IsBlue(QColor c) {
    return c.blue() > 200 && c.red() < 80 && c.green() < 80;
}
bool IsRed(QColor c) {
    return c.red() > 200 && c.blue() < 80 && c.green() < 80;
}

// A list on screen, with the event loop run until it has laid out its rows.
class ColorListBoxView : public ::testing::Test {
protected:
    void SetUp() override {
        m_list.resize(320, 200);
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    // Adds lines and waits for the model's turn and the view's layout to show them.
    void AddLinesAndSettle(int count, std::uint32_t rgb = kBlue, const char* text = "line") {
        for (int n = 0; n < count; ++n) m_list.AddLine(text, rgb);
        const int nRows = m_list.Model()->Count();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return m_list.model()->rowCount() == nRows && Row(nRows - 1).isValid() &&
                   (nRows == 1 || Row(nRows - 1).top() > Row(0).top());
        }));
    }

    QRect Row(int row) const { return m_list.visualRect(m_list.model()->index(row, 0)); }

    int CountPixels(int row, const std::function<bool(QColor)>& match) {
        const QImage image = m_list.viewport()->grab().toImage().copy(Row(row));
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += match(image.pixelColor(x, y));
        return count;
    }

    CColorListBox m_list;
};

}  // namespace

// ---- Appending leaves the user's place alone ----

TEST_F(ColorListBoxView, AppendingKeepsSelectionCurrentRowAndScrollPosition) {
    EXPECT_EQ(m_list.AddLine("first", kRed), 0);
    EXPECT_EQ(m_list.Model()->LineColour(0), kRed);
    AddLinesAndSettle(300);
    // Scrolled to the end with nothing chosen: new lines are neither followed nor selected.
    QScrollBar* pBar = m_list.verticalScrollBar();
    pBar->setValue(pBar->maximum());
    int before = pBar->maximum();
    AddLinesAndSettle(300);
    EXPECT_GT(pBar->maximum(), before);
    EXPECT_EQ(pBar->value(), before);
    EXPECT_FALSE(m_list.currentIndex().isValid());
    EXPECT_TRUE(m_list.selectionModel()->selectedRows().isEmpty());

    m_list.setCurrentIndex(m_list.model()->index(10, 0));
    pBar->setValue(50);
    before = pBar->maximum();
    AddLinesAndSettle(1000);
    EXPECT_GT(pBar->maximum(), before);
    EXPECT_EQ(pBar->value(), 50);
    EXPECT_EQ(m_list.currentIndex().row(), 10);
    const QModelIndexList selected = m_list.selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 10);
}

// ---- Rows ----

TEST_F(ColorListBoxView, RowsShareOneReadableHeightThatFollowsTheFont) {
    AddLinesAndSettle(3);
    EXPECT_EQ(Row(1).top() - Row(0).top(), m_list.ItemHeight());
    EXPECT_GE(m_list.ItemHeight(), m_list.fontMetrics().lineSpacing());

    const int before = m_list.ItemHeight();
    QFont large = m_list.font();
    large.setPointSizeF(large.pointSizeF() * 3);
    m_list.setFont(large);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_list.ItemHeight() > before; }));
    EXPECT_EQ(Row(1).top() - Row(0).top(), m_list.ItemHeight());
}

TEST_F(ColorListBoxView, EachLineIsPaintedInItsOwnColourUnlessSelected) {
    AddLinesAndSettle(1, kBlue, "MMMMMMMMMMMM");
    AddLinesAndSettle(2, kRed, "MMMMMMMMMMMM");
    EXPECT_GT(CountPixels(0, IsBlue), 20);
    EXPECT_EQ(CountPixels(0, IsRed), 0);
    EXPECT_GT(CountPixels(1, IsRed), 20);
    EXPECT_EQ(CountPixels(1, IsBlue), 0);

    m_list.selectionModel()->select(m_list.model()->index(1, 0), QItemSelectionModel::Select);
    const QPalette palette = m_list.palette();
    const auto isHighlight = [&palette](QColor c) {
        return c == palette.color(QPalette::Active, QPalette::Highlight) ||
               c == palette.color(QPalette::Inactive, QPalette::Highlight);
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return CountPixels(1, isHighlight) > Row(1).width() * Row(1).height() / 2; }));
    EXPECT_EQ(CountPixels(1, IsRed), 0);
    EXPECT_EQ(CountPixels(2, isHighlight), 0);
}

TEST_F(ColorListBoxView, DisabledListPaintsGreyText) {
    AddLinesAndSettle(1, kRed, "MMMMMMMMMMMM");
    m_list.setEnabled(false);
    const QColor grey = m_list.palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return CountPixels(0, [&grey](QColor c) { return c == grey; }) > 10; }));
    EXPECT_EQ(CountPixels(0, IsRed), 0);
}
