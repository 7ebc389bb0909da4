#include "ResourceIds.h"
#include "SettingsPage.h"
#include "ShellFixture.h"

namespace {

using Layout = CShellFixture;

// The resize rules themselves belong to the resizable dialog; here the main window must
// not shrink below its captured size and must carry every page along with its host.
TEST_F(Layout, MainWindowRefusesToShrinkAndItsPagesMoveAndStretchTheirControls) {
    CMainDlg& dlg = StartMainWindow();
    const QSize least = dlg.CapturedClientSize();
    dlg.resize(least.width() - 100, least.height() - 40);
    EXPECT_EQ(dlg.size(), least);

    const QRect host = dlg.GetDlgItem(IDC_PAGE_HOST)->geometry();
    CSettingsPage& page = dlg.SettingsPage();
    const QRect reader = page.GetDlgItem(IDC_READER_COMBO)->geometry();
    const QRect apply = page.GetDlgItem(IDC_APPLY)->geometry();
    dlg.resize(least.width() + 120, least.height() + 70);
    for (int nPage = 0; nPage < CMainDlg::kPageCount; ++nPage)
        EXPECT_EQ(dlg.Page(nPage).geometry(), host.adjusted(0, 0, 120, 70)) << nPage;
    EXPECT_EQ(page.GetDlgItem(IDC_READER_COMBO)->geometry(), reader.adjusted(0, 0, 120, 0));
    EXPECT_EQ(page.GetDlgItem(IDC_APPLY)->geometry(), apply.translated(120, 70));
}

}  // namespace
