#include "ResourceIds.h"
#include "SettingsPage.h"
#include "ShellFixture.h"
#include "TracePage.h"

#include <QStatusBar>
#include <QToolBar>

namespace {

using Layout = CShellFixture;

QRect Moved(QRect rect, int dx, int dy) { return rect.translated(dx, dy); }

TEST_F(Layout, SettingsPageWiderAndTallerMovesOnlyWhatItsMapSays) {
    QWidget host;
    CSettingsPage page;
    page.Create(&host);
    host.show();
    const QSize start = page.size();
    QHash<int, QRect> before;
    for (int nId : {IDC_READER_COMBO, IDC_LANGUAGE_COMBO, IDC_APP_NAME, IDC_APPLY})
        before[nId] = page.GetDlgItem(nId)->geometry();
    // The template's own size in pixels.
    EXPECT_EQ(start, page.MapDialogRect(QRect(0, 0, 248, 182)).size());

    page.resize(start.width() + 100, start.height());
    for (int nId : {IDC_READER_COMBO, IDC_LANGUAGE_COMBO, IDC_APP_NAME}) {
        const QRect now = page.GetDlgItem(nId)->geometry();
        EXPECT_EQ(now.topLeft(), before[nId].topLeft()) << nId;
        EXPECT_EQ(now.width(), before[nId].width() + 100) << nId;
        EXPECT_EQ(now.height(), before[nId].height()) << nId;
    }
    EXPECT_EQ(page.GetDlgItem(IDC_APPLY)->geometry(), Moved(before[IDC_APPLY], 100, 0));

    page.resize(start.width() + 100, start.height() + 50);
    EXPECT_EQ(page.GetDlgItem(IDC_APPLY)->geometry(), Moved(before[IDC_APPLY], 100, 50));
    for (int nId : {IDC_READER_COMBO, IDC_LANGUAGE_COMBO, IDC_APP_NAME}) {
        EXPECT_EQ(page.GetDlgItem(nId)->y(), before[nId].y()) << nId;
        EXPECT_EQ(page.GetDlgItem(nId)->height(), before[nId].height()) << nId;
    }

    // Every size is computed from the captured layout, so going back restores it.
    page.resize(start);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(page.GetDlgItem(it.key())->geometry(), it.value()) << it.key();
}

TEST_F(Layout, TracePageListFillsThePage) {
    QWidget host;
    CTracePage page;
    page.Create(&host);
    host.show();
    const QRect list = page.GetDlgItem(IDC_TRACE_LIST)->geometry();
    page.resize(page.width() + 37, page.height() + 61);
    EXPECT_EQ(page.GetDlgItem(IDC_TRACE_LIST)->geometry(), list.adjusted(0, 0, 37, 61));
}

TEST_F(Layout, MainWindowRefusesToShrinkAndPagesCoverTheHost) {
    CMainDlg& dlg = StartMainWindow();
    // The size at the layout capture is the least the window takes.
    const QSize least = dlg.CapturedClientSize();
    EXPECT_EQ(dlg.minimumSize(), least);
    dlg.resize(least.width() - 100, least.height() - 40);
    EXPECT_EQ(dlg.size(), least);
    dlg.resize(least.width() + 10, least.height() - 40);
    EXPECT_EQ(dlg.size(), QSize(least.width() + 10, least.height()));
    dlg.resize(least);
    const QSize start = dlg.size();

    const QRect host = dlg.GetDlgItem(IDC_PAGE_HOST)->geometry();
    const QRect list = dlg.GetDlgItem(IDC_NAVIGATION_LIST)->geometry();
    const QRect status = dlg.StatusBar()->geometry();
    const QRect toolbar = dlg.ToolBar()->geometry();
    const QRect caption = dlg.GetDlgItem(IDC_INFO_BAR)->geometry();
    dlg.resize(start.width() + 120, start.height() + 70);
    EXPECT_EQ(dlg.GetDlgItem(IDC_PAGE_HOST)->geometry(), host.adjusted(0, 0, 120, 70));
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAVIGATION_LIST)->geometry(), list.adjusted(0, 0, 0, 70));
    EXPECT_EQ(dlg.StatusBar()->geometry(), status.adjusted(0, 70, 120, 70));
    EXPECT_EQ(dlg.ToolBar()->geometry(), toolbar.adjusted(0, 0, 120, 0));
    EXPECT_EQ(dlg.GetDlgItem(IDC_INFO_BAR)->geometry(), caption.adjusted(0, 0, 120, 0));
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).geometry(), host.adjusted(0, 0, 120, 70)) << page;
    // The Settings page laid itself out for its new size.
    const QWidget* pApply = dlg.SettingsPage().GetDlgItem(IDC_APPLY);
    EXPECT_EQ(dlg.SettingsPage().width() - (pApply->x() + pApply->width()),
              dlg.SettingsPage().MapDialogRect(QRect(0, 0, 248, 182)).width() -
                  dlg.SettingsPage().MapDialogRect(QRect(190, 161, 50, 14)).right() - 1);
}

}  // namespace
