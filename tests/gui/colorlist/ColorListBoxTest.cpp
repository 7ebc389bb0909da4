// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLineModel.h"
#include "ColorListBox.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

// Rows of the list painted by its own delegate onto an image, in the state the view would
// give them.
namespace {

class ColorListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_list.AddLine("MMMMMMMMMMMM", 0x0000FF);
        m_list.AddLine("MMMMMMMMMMMM", 0xFF0000);
        m_list.Model()->Flush();
    }
    QStyleOptionViewItem Option(QStyle::State state) const {
        QStyleOptionViewItem option;
        option.initFrom(&m_list);
        option.rect = QRect(0, 0, 200, m_list.ItemHeight());
        option.state = state;
        return option;
    }
    // Pixels of the painted row within the tolerance of that colour in every channel:
    // line colours by the core of their anti-aliased strokes, palette colours exactly.
    int CountPixels(int row, QStyle::State state, QColor colour, int tolerance = 80) const {
        QImage image(200, m_list.ItemHeight(), QImage::Format_RGB32);
        image.fill(m_list.palette().color(QPalette::Base));
        QPainter painter(&image);
        m_list.itemDelegate()->paint(&painter, Option(state), m_list.model()->index(row, 0));
        painter.end();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += std::max({std::abs(c.red() - colour.red()),
                                   std::abs(c.green() - colour.green()),
                                   std::abs(c.blue() - colour.blue())}) <= tolerance;
            }
        return count;
    }

    CColorListBox m_list;
};

}  // namespace

TEST_F(ColorListBoxTest, EachLineInItsColourHighlightedSelectedGreyDisabledAtTheFontsHeight) {
    const QStyle::State enabled = QStyle::State_Enabled | QStyle::State_Active;
    const QStyle::State selected = enabled | QStyle::State_Selected;
    const QColor highlight = m_list.palette().color(QPalette::Active, QPalette::Highlight);
    const QColor grey = m_list.palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_GT(CountPixels(0, enabled, Qt::blue), 20);
    EXPECT_GT(CountPixels(1, enabled, Qt::red), 20);
    EXPECT_GT(CountPixels(1, selected, highlight, 0), 200 * m_list.ItemHeight() / 2);
    EXPECT_EQ(CountPixels(1, selected, Qt::red), 0);
    EXPECT_GT(CountPixels(0, QStyle::State_None, grey, 0), 10);
    EXPECT_EQ(CountPixels(0, QStyle::State_None, Qt::blue), 0);

    // One readable height for every row, following the font.
    QFont large = m_list.font();
    large.setPointSizeF(large.pointSizeF() * 3);
    m_list.setFont(large);
    EXPECT_GE(m_list.ItemHeight(), QFontMetrics(large).lineSpacing());
    const QSize size =
        m_list.itemDelegate()->sizeHint(Option(QStyle::State_Enabled), m_list.model()->index(0, 0));
    EXPECT_EQ(size.height(), m_list.ItemHeight());
}

// New lines are neither followed nor selected, even with the view scrolled to the end.
TEST_F(ColorListBoxTest, AddingLinesKeepsTheScrollPositionAndTheCurrentRow) {
    m_list.resize(320, 200);
    m_list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    m_list.setCurrentIndex(m_list.model()->index(1, 0));
    for (int n = 0; n < 300; ++n) m_list.AddLine("line", 0);
    QScrollBar* pBar = m_list.verticalScrollBar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pBar->maximum() > 0; }));
    pBar->setValue(pBar->maximum());
    const int end = pBar->value();
    for (int n = 0; n < 300; ++n) m_list.AddLine("line", 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pBar->maximum() > end; }));
    EXPECT_EQ(pBar->value(), end);
    EXPECT_EQ(m_list.currentIndex().row(), 1);
    EXPECT_EQ(m_list.selectionModel()->selectedRows(),
              QModelIndexList{m_list.model()->index(1, 0)});
}
