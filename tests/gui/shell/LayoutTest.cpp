#include "ResourceIds.h"
#include "SettingsPage.h"
#include "ShellFixture.h"
#include "TracePage.h"

#include <QStatusBar>
#include <QToolBar>

namespace {

using Layout = CShellFixture;

// Each control's rectangle, for comparing before and after a resize.
std::vector<QRect> Geometries(const std::vector<QWidget*>& widgets) {
    std::vector<QRect> rects;
    for (const QWidget* pWidget : widgets) rects.push_back(pWidget->geometry());
    return rects;
}

TEST_F(Layout, SettingsPageWiderAndTallerMovesOnlyWhatItsMapSays) {
    QWidget host;
    CSettingsPage page;
    page.Create(&host);
    host.show();
    const QSize start = page.size();
    EXPECT_EQ(start, page.MapDialogRect(QRect(0, 0, 248, 182)).size());  // the template's size
    std::vector<QWidget*> controls;
    for (int nId : {IDC_READER_COMBO, IDC_LANGUAGE_COMBO, IDC_APP_NAME, IDC_APPLY})
        controls.push_back(page.GetDlgItem(nId));
    const std::vector<QRect> before = Geometries(controls);

    // The three fields widen, Apply moves along; only Apply follows the height.
    page.resize(start.width() + 100, start.height());
    EXPECT_EQ(
        Geometries(controls),
        std::vector<QRect>({before[0].adjusted(0, 0, 100, 0), before[1].adjusted(0, 0, 100, 0),
                            before[2].adjusted(0, 0, 100, 0), before[3].translated(100, 0)}));
    page.resize(start.width() + 100, start.height() + 50);
    EXPECT_EQ(
        Geometries(controls),
        std::vector<QRect>({before[0].adjusted(0, 0, 100, 0), before[1].adjusted(0, 0, 100, 0),
                            before[2].adjusted(0, 0, 100, 0), before[3].translated(100, 50)}));
    // Every size is computed from the captured layout, so going back restores it.
    page.resize(start);
    EXPECT_EQ(Geometries(controls), before);
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

    const std::vector<QWidget*> parts = {dlg.GetDlgItem(IDC_PAGE_HOST),
                                         dlg.GetDlgItem(IDC_NAVIGATION_LIST), dlg.StatusBar(),
                                         dlg.ToolBar(), dlg.GetDlgItem(IDC_INFO_BAR)};
    const std::vector<QRect> before = Geometries(parts);
    dlg.resize(least.width() + 120, least.height() + 70);
    const QRect host = before[0].adjusted(0, 0, 120, 70);
    EXPECT_EQ(Geometries(parts),
              std::vector<QRect>(
                  {host, before[1].adjusted(0, 0, 0, 70), before[2].adjusted(0, 70, 120, 70),
                   before[3].adjusted(0, 0, 120, 0), before[4].adjusted(0, 0, 120, 0)}));
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).geometry(), host) << page;
    // The Settings page laid itself out for its new size: Apply keeps its right margin.
    const QWidget* pApply = dlg.SettingsPage().GetDlgItem(IDC_APPLY);
    EXPECT_EQ(dlg.SettingsPage().width() - (pApply->x() + pApply->width()),
              dlg.SettingsPage().MapDialogRect(QRect(0, 0, 248, 182)).width() -
                  dlg.SettingsPage().MapDialogRect(QRect(190, 161, 50, 14)).right() - 1);
}

}  // namespace
