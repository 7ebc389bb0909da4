// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardReaderHost.h"
#include "CommandPage.h"
#include "FilePage.h"
#include "NavigationList.h"
#include "ResizableDialog.h"
#include "ScriptPage.h"
#include "SettingsPage.h"
#include "StatusLine.h"
#include "TracePage.h"

#include <QHash>
#include <QIcon>
#include <QString>

#include <memory>
#include <vector>
#include <string>

class CCardWatcher;
class CConnectionControl;
class CExplorerWindow;
class CInfoBar;
class QAction;
class QMenuBar;
class QToolBar;

// The one top-level window: navigation list, page host with the five pages, caption bar,
// menu, toolbar and status bar with the connection lights. The card reader reaches the
// trace and the "Card error" dialog through it.
class CMainDlg : public CResizableDialog, public CCardReaderHost {
    Q_OBJECT

public:
    static constexpr int kPageCount = 5;
    static constexpr int kMaxReaders = 10;

    explicit CMainDlg(QWidget* pParent = nullptr);
    ~CMainDlg() override;

    void ShowPage(int nPage);
    // A script to open on the Script page at start, which is then the page shown.
    void SetStartScript(const QString& strPath) { m_strStartScript = strPath; }
    void LayoutPages();
    void ApplySettings();

    // Connection control
    void OnCardConnect();
    void OnCardDisconnect();
    void OnCardReconnect();
    void SetStatusText(const QString& strText, int nRemember);
    void RestoreStatusText();
    // Tells whoever follows the connection when its card goes.
    CCardWatcher& CardWatcher();

    // What the idle loop runs: command states and the remembered status text.
    void OnIdleUpdate();
    // Runs a command id as the menu, toolbar or a page issues it.
    void OnCommand(int nId) override;

    // CCardReaderHost
    void AppendRecord(const std::string& command, const std::string& response) override;
    void ShowCardError() override;

    // The explorer window of the Tools menu, made on first use and kept while this lives.
    CExplorerWindow& Explorer();

    // For the tests and the rendering tool.
    CSettingsPage& SettingsPage() { return m_settingsPage; }
    CScriptPage& ScriptPage() { return m_scriptPage; }
    CTracePage& TracePage() { return m_tracePage; }
    CPageDialog& Page(int nPage);
    CNavigationList* NavigationList() const { return m_pNavigationList; }
    CInfoBar* InfoBar() const { return m_pInfoBar; }
    QMenuBar* MenuBar() const { return m_pMenuBar; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    QStatusBar* StatusBar() const { return m_pStatusBar; }
    QAction* Action(int nId) const { return m_actions.value(nId, nullptr); }
    QString PaneText() const;
    const QString& RememberedStatusText() const { return m_pStatusBar->RememberedText(); }
    bool IsGreenLightOn() const { return m_pStatusBar->IsGreenLightOn(); }
    bool IsRedLightOn() const { return m_pStatusBar->IsRedLightOn(); }
    int NavigationColumnWidth() const { return m_nColumnWidth; }
    void SetNavigationColumnWidth(int nWidth) { m_nColumnWidth = nWidth; }

protected:
    QWidget* CreateControl(const SDialogControl& control) override;
    const SResizeMapEntry* GetResizeMap() const override;
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // QWidget
    void closeEvent(QCloseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void SetUpNavigationList();
    bool CreateBars();
    void CreateMenu();
    QAction* MakeAction(int nId, const QString& strText);
    void PlaceMenuBar();
    void RestorePlacement();
    bool SavePlacement();
    // Keeps the pages' values, the navigation width and, when asked, the placement for the
    // next run, and warns of each file that could not be written while the window still
    // stands. Once only; the destructor does it silently for a window never closed.
    void SaveForNextRun(bool bPlacement);
    void CreatePages();
    void FillReaderList();
    void OnMenuHovered(QAction* pAction);
    void OnHelpContents();
    void OnAppAbout();
    void OnToolsExplore();
    void OnToolsOpenDump();
    void OnToolsCompare();
    void OnIdleDue() { m_bIdleDue = true; }
    void OnAboutToBlock();

    // Members in the order the window builds and tears them down.
    CSettingsPage m_settingsPage;
    CCommandPage m_commandPage;
    CFilePage m_filePage;
    CScriptPage m_scriptPage;
    CTracePage m_tracePage;
    CInfoBar* m_pInfoBar = nullptr;
    CNavigationList* m_pNavigationList = nullptr;
    bool m_bInitialised = false;
    QIcon m_icon;
    CStatusLine* m_pStatusBar = nullptr;
    std::unique_ptr<CConnectionControl> m_pConnection;
    QToolBar* m_pToolBar = nullptr;
    std::unique_ptr<CExplorerWindow> m_pExplorer;
    std::vector<std::unique_ptr<QWidget>> m_compareWindows;

    QMenuBar* m_pMenuBar = nullptr;
    QHash<int, QAction*> m_actions;
    int m_nColumnWidth = 82;
    bool m_bSavedForNextRun = false;
    bool m_bIdleDue = true;
    QString m_strStartScript;
};
