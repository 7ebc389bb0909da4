#include "InfoBar.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QCursor>
#include <QImage>
#include <QMenu>
#include <QTest>

namespace {

using CaptionBar = CShellFixture;

QRgb Pixel(CInfoBar* pBar, int x, int y) { return pBar->grab().toImage().pixel(x, y); }

QRgb Shadow(CInfoBar* pBar) { return pBar->palette().color(QPalette::Dark).rgb(); }

void Hover(CInfoBar* pBar, const QPoint& point) {
    QCursor::setPos(pBar->mapToGlobal(point));
    QTest::mouseMove(pBar, point);
}

TEST_F(CaptionBar, HotAreaFollowsTheCaption) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    QFont font("Arial");
    font.setPixelSize(16);
    font.setWeight(QFont::Bold);
    const int width = QFontMetrics(font).horizontalAdvance("Settings");
    EXPECT_EQ(pBar->HotRect(), QRect(QPoint(1, 1), QPoint(width + 22, pBar->height() - 2)));
    dlg.ShowPage(4);
    EXPECT_EQ(pBar->HotRect().width(), QFontMetrics(font).horizontalAdvance("Trace") + 22);
}

TEST_F(CaptionBar, HoverRaisesPressSinksAndTheColoursAreTheBars) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    const QRect hot = pBar->HotRect();
    const QRgb shadow = Shadow(pBar);
    EXPECT_EQ(Pixel(pBar, hot.left(), hot.top()), shadow);

    Hover(pBar, hot.center());
    EXPECT_TRUE(pBar->IsHover());
    EXPECT_TRUE(pBar->IsHoverTimerActive());
    EXPECT_EQ(Pixel(pBar, hot.left(), hot.top()), qRgb(255, 255, 255));
    EXPECT_EQ(Pixel(pBar, hot.right(), hot.bottom()), qRgb(0, 0, 0));
    // Beyond the hot area the bar keeps its colour.
    EXPECT_EQ(Pixel(pBar, pBar->width() - 3, pBar->height() / 2), shadow);

    QTest::mousePress(pBar, Qt::LeftButton, {}, hot.center());
    EXPECT_TRUE(pBar->IsPressed());
    EXPECT_EQ(Pixel(pBar, hot.left(), hot.top()), qRgb(0, 0, 0));
    EXPECT_EQ(Pixel(pBar, hot.right(), hot.bottom()), qRgb(255, 255, 255));

    // Released outside: no menu, the frame goes.
    const QPoint outside(hot.right() + 40, hot.center().y());
    QCursor::setPos(pBar->mapToGlobal(outside));
    QTest::mouseMove(pBar, outside);
    QTest::mouseRelease(pBar, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(pBar->IsHover());
    EXPECT_TRUE(m_dialogs.m_menuTexts.empty());
    EXPECT_EQ(Pixel(pBar, hot.left(), hot.top()), shadow);
}

TEST_F(CaptionBar, TimerTakesTheFrameAwayWhenTheMouseLeftUnseen) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    Hover(pBar, pBar->HotRect().center());
    ASSERT_TRUE(pBar->IsHover());
    // Over a page below: the move goes to the page, never to the bar; only the timer
    // can notice.
    QCursor::setPos(pBar->mapToGlobal(QPoint(10, 200)));
    QTRY_VERIFY_WITH_TIMEOUT(!pBar->IsHover(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!pBar->IsHoverTimerActive(), 1000);
    EXPECT_EQ(Pixel(pBar, pBar->HotRect().left(), pBar->HotRect().top()), Shadow(pBar));
}

TEST_F(CaptionBar, PageMenuPromptsGoToTheStatusLine) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    QStringList prompts;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        for (QAction* pAction : menu.actions()) {
            pAction->hover();
            prompts << dlg.PaneText();
        }
        return nullptr;
    };
    Hover(pBar, pBar->HotRect().center());
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->HotRect().center());
    EXPECT_EQ(prompts, QStringList({"Select available smart card reader", "Send APDU command",
                                    "View and update file contents",
                                    "Play script file consists of series APDU commands",
                                    "View all trace information"}));
    EXPECT_EQ(dlg.RememberedStatusText(), "No connection !");
    dlg.OnIdleUpdate();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
}

TEST_F(CaptionBar, LongCaptionIsCutAtTheBarsEdge) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    pBar->SetCaption(QString("Settings\\").repeated(20));
    ASSERT_GT(pBar->HotRect().right(), pBar->width());
    Hover(pBar, QPoint(pBar->width() / 2, pBar->height() / 2));
    ASSERT_TRUE(pBar->IsHover());
    // The raised frame's right edge stands one pixel inside the bar.
    EXPECT_EQ(Pixel(pBar, pBar->width() - 2, pBar->height() / 2), qRgb(0, 0, 0));
    EXPECT_EQ(Pixel(pBar, pBar->width() - 1, pBar->height() / 2), Shadow(pBar));
}

}  // namespace
