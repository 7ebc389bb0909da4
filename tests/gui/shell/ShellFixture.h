#pragma once

#include "FakeDialogService.h"
#include "MainDlg.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>

class QAction;
class QMenu;

// A main window as the program starts it: the card reader object of this process, the
// profile of this test, and dialogs answered by the fake service.
class CShellFixture : public ::testing::Test {
public:
    // The action of a popup menu with that text, for the fake menu service.
    static QAction* FindAction(QMenu& menu, const QString& strText);

protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the main window (the profile must be prepared before).
    CMainDlg& StartMainWindow();
    // Ends and destroys the main window, as the program does when its loop returns.
    void DestroyMainWindow();

    // Runs the event loop until it has become idle at least once.
    static void RunUntilIdle();

    CFakeDialogService m_dialogs;
    std::unique_ptr<CMainDlg> m_pMainDlg;
};
