// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeDialogService.h"
#include "MainDlg.h"

#include <gtest/gtest.h>

#include <memory>

class QComboBox;

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
    void DestroyMainWindow() { m_pMainDlg.reset(); }
    // Makes the next popup menus choose the item with that text (empty: cancel).
    void ChooseMenuItem(const QString& strText);

    // Runs the event loop until it has become idle at least once.
    static void RunUntilIdle();
    // Only that page shown, its item selected and its name in the caption bar.
    static void ExpectPage(CMainDlg& dlg, int nPage, const char* pszCaption);
    // The reader's state, the lights, the remembered text and, after an idle pass, which
    // Card commands are offered.
    static void ExpectConnection(CMainDlg& dlg, bool bConnected, const char* pszText);
    static QStringList Items(const QComboBox* pCombo);

    CFakeDialogService m_dialogs;
    std::unique_ptr<CMainDlg> m_pMainDlg;
};
