#include "InfoBar.h"
#include "ShellFixture.h"

#include <QCursor>
#include <QImage>
#include <QTest>

namespace {

// The caption bar of a started window, with its colours read back from its pixels.
class CaptionBar : public CShellFixture {
protected:
    void SetUp() override {
        CShellFixture::SetUp();
        m_pBar = StartMainWindow().InfoBar();
        m_shadow = m_pBar->palette().color(QPalette::Dark).rgb();
    }
    QRgb Pixel(int x, int y) const { return m_pBar->grab().toImage().pixel(x, y); }
    // The colours of the hot area's top-left and bottom-right corners.
    std::pair<QRgb, QRgb> Corners() const {
        const QRect hot = m_pBar->HotRect();
        return {Pixel(hot.left(), hot.top()), Pixel(hot.right(), hot.bottom())};
    }
    void Hover(const QPoint& point) {
        QCursor::setPos(m_pBar->mapToGlobal(point));
        QTest::mouseMove(m_pBar, point);
    }

    CInfoBar* m_pBar = nullptr;
    QRgb m_shadow = 0;
};

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

TEST_F(CaptionBar, HoverRaisesPressSinksAndReleaseOutsideOpensNothing) {
    const QRect hot = m_pBar->HotRect();
    EXPECT_EQ(Pixel(hot.left(), hot.top()), m_shadow);
    Hover(hot.center());
    EXPECT_TRUE(m_pBar->IsHover());
    EXPECT_TRUE(m_pBar->IsHoverTimerActive());
    EXPECT_EQ(Corners(), std::make_pair(kWhite, kBlack));
    // Beyond the hot area the bar keeps its colour.
    EXPECT_EQ(Pixel(m_pBar->width() - 3, m_pBar->height() / 2), m_shadow);

    QTest::mousePress(m_pBar, Qt::LeftButton, {}, hot.center());
    EXPECT_TRUE(m_pBar->IsPressed());
    EXPECT_EQ(Corners(), std::make_pair(kBlack, kWhite));

    const QPoint outside(hot.right() + 40, hot.center().y());
    Hover(outside);
    QTest::mouseRelease(m_pBar, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(m_pBar->IsHover());
    EXPECT_TRUE(m_dialogs.m_menuTexts.empty());
    EXPECT_EQ(Pixel(hot.left(), hot.top()), m_shadow);
}

TEST_F(CaptionBar, TimerTakesTheFrameAwayWhenTheMouseLeftUnseen) {
    Hover(m_pBar->HotRect().center());
    ASSERT_TRUE(m_pBar->IsHover());
    // Over a page below: the move goes to the page, never to the bar; only the timer
    // can notice.
    QCursor::setPos(m_pBar->mapToGlobal(QPoint(10, 200)));
    QTRY_VERIFY_WITH_TIMEOUT(!m_pBar->IsHover(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_pBar->IsHoverTimerActive(), 1000);
    EXPECT_EQ(Corners().first, m_shadow);
}

}  // namespace
