// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDlg.h"

#include "AboutDlg.h"
#include "ByteText.h"
#include "CardErrorDlg.h"
#include "CardReader.h"
#include "CodeCommand.h"
#include "ComboItems.h"
#include "CompareWindow.h"
#include "ConnectionControl.h"
#include "DialogService.h"
#include "ExplorerWindow.h"
#include "HelpLocation.h"
#include "IconResource.h"
#include "InfoBar.h"
#include "MenuResource.h"
#include "NavigationList.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "StatusLine.h"
#include "StringTable.h"
#include "UiText.h"
#include "WindowPlacement.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStringList>
#include <QToolBar>

#include <array>

namespace {

constexpr int kIconSize = 32;  // the desktop's icon size, kept on screen at restore

struct SPageInfo {
    const char* pszName;
    int nViewCommand;
    int nIcon;
};
constexpr std::array<SPageInfo, CMainDlg::kPageCount> kPages{{
    {"Settings", ID_VIEW_SETTINGS, IDI_SETTINGS},
    {"Command", ID_VIEW_COMMAND, IDI_COMMAND},
    {"File", ID_VIEW_FILE, IDI_FILE},
    {"Script", ID_VIEW_SCRIPT, IDI_SCRIPT},
    {"Trace", ID_VIEW_TRACE, IDI_TRACE},
}};

constexpr CResizableDialog::SResizeMapEntry kResizeMap[] = {
    {IDC_NAVIGATION_LIST, CResizableDialog::kSizeY},
    {IDC_PAGE_HOST, CResizableDialog::kSizeX | CResizableDialog::kSizeY},
    {AFX_IDW_STATUS_BAR, CResizableDialog::kSizeX | CResizableDialog::kMoveY},
    {AFX_IDW_TOOLBAR, CResizableDialog::kSizeX},
    {IDC_ETCHED_LINE, CResizableDialog::kSizeX},
    {IDC_INFO_BAR, CResizableDialog::kSizeX},
    {-1, 0},
};

int PageOfViewCommand(int nId) {
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        if (kPages[static_cast<std::size_t>(page)].nViewCommand == nId) return page;
    return -1;
}

}  // namespace

CMainDlg::CMainDlg(QWidget* pParent) : CResizableDialog(IDD_MAIN, pParent) {
    m_icon = CIconResource::Icon(IDR_MAINFRAME);
    SetThickFrame();
}

CMainDlg::~CMainDlg() {
    if (g_pCardReader != nullptr) g_pCardReader->SetMainWindow(nullptr);
    if (!m_bSavedForNextRun && m_pNavigationList != nullptr && m_nColumnWidth >= 1)
        CProfile::WriteInt(CProfile::kSettings, CProfile::kOutlookBarWidth, m_nColumnWidth);
}

CPageDialog& CMainDlg::Page(int nPage) {
    switch (nPage) {
        case 0:
            return m_settingsPage;
        case 1:
            return m_commandPage;
        case 2:
            return m_filePage;
        case 3:
            return m_scriptPage;
        default:
            return m_tracePage;
    }
}

const CResizableDialog::SResizeMapEntry* CMainDlg::GetResizeMap() const {
    return kResizeMap;
}

QWidget* CMainDlg::CreateControl(const SDialogControl& control) {
    if (control.nId == IDC_INFO_BAR) {
        m_pInfoBar = new CInfoBar(this);
        connect(m_pInfoBar, &CInfoBar::CommandIssued, this, &CMainDlg::OnCommand);
        connect(m_pInfoBar, &CInfoBar::StatusTextRequested, this, &CMainDlg::SetStatusText);
        return m_pInfoBar;
    }
    if (control.nId == IDC_NAVIGATION_LIST) {
        m_pNavigationList = new CNavigationList(this);
        connect(m_pNavigationList, &CNavigationList::PageSelected, this, &CMainDlg::ShowPage);
        return m_pNavigationList;
    }
    return CResizableDialog::CreateControl(control);
}

// ---- start-up ----

bool CMainDlg::OnInitDialog() {
    SetUpNavigationList();
    CreateBars();
    if (QWidget* pLine = GetDlgItem(IDC_ETCHED_LINE))
        pLine->resize(pLine->width() + 4, pLine->height());
    CaptureLayout(true, kStyleThickFrame);
    RestorePlacement();
    CreatePages();
    ShowPage(0);
    setWindowIcon(m_icon);
    m_settingsPage.SetAppName(
        CProfile::GetString(CProfile::kSettings, CProfile::kAppName, "Corvanta Professional"));
    FillReaderList();
    const QString strReader =
        Latin1(CProfile::GetString(CProfile::kSettings, CProfile::kReader, ""));
    QComboBox* pReaders = m_settingsPage.ReaderCombo();
    // The search ignores case, as the reader list's own exact search does.
    const int nFound = pReaders->findText(strReader, Qt::MatchFixedString);
    pReaders->setCurrentIndex(nFound >= 0 ? nFound : 0);
    m_settingsPage.LanguageCombo()->setCurrentIndex(0);
    m_settingsPage.DoDataExchange(false);
    ApplySettings();
    if (g_pCardReader != nullptr) g_pCardReader->SetMainWindow(this);
    m_bInitialised = true;
    LayoutPages();
    if (!m_strStartScript.isEmpty() && m_scriptPage.OpenScript(m_strStartScript)) ShowPage(3);

    // The command states follow whenever the loop has run dry.
    if (QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance()) {
        connect(pDispatcher, &QAbstractEventDispatcher::awake, this, &CMainDlg::OnIdleDue);
        connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CMainDlg::OnAboutToBlock);
    }
    return true;
}

void CMainDlg::SetUpNavigationList() {
    m_pNavigationList->SetUp();
    for (const SPageInfo& info : kPages)
        m_pNavigationList->AddPage(CIconResource::Icon(info.nIcon), QLatin1String(info.pszName));
    m_nColumnWidth = CProfile::GetInt(CProfile::kSettings, CProfile::kOutlookBarWidth, 82) & 0xFFFF;
}

QAction* CMainDlg::MakeAction(int nId, const QString& strText) {
    QAction* pAction = m_actions.value(nId, nullptr);
    if (pAction == nullptr) {
        pAction = new QAction(strText, this);
        pAction->setData(nId);
        connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        addAction(pAction);
        m_actions.insert(nId, pAction);
    }
    return pAction;
}

void CMainDlg::CreateMenu() {
    m_pMenuBar = new QMenuBar(this);
    auto* pViewGroup = new QActionGroup(this);
    pViewGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const SMenuItem& dropDown : CMenuResource::Find(IDR_MAIN_MENU)) {
        QMenu* pMenu = m_pMenuBar->addMenu(QString::fromLatin1(dropDown.pszText));
        connect(pMenu, &QMenu::hovered, this, &CMainDlg::OnMenuHovered);
        connect(pMenu, &QMenu::aboutToHide, this, &CMainDlg::RestoreStatusText);
        for (const SMenuItem& item : dropDown.children) {
            if (item.pszText == nullptr) {
                pMenu->addSeparator();
                continue;
            }
            QAction* pAction = MakeAction(item.nId, QString::fromLatin1(item.pszText));
            if (PageOfViewCommand(item.nId) >= 0) {
                pAction->setCheckable(true);
                pViewGroup->addAction(pAction);
            }
            pMenu->addAction(pAction);
        }
    }
    connect(m_pMenuBar, &QMenuBar::hovered, this, &CMainDlg::OnMenuHovered);
    QAction* pHelp = Action(ID_HELP_CONTENTS);
    pHelp->setShortcut(QKeySequence(Qt::Key_F1));
    pHelp->setShortcutContext(Qt::WindowShortcut);
    QAction* pExplore = Action(ID_TOOLS_EXPLORE);
    pExplore->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    pExplore->setShortcutContext(Qt::WindowShortcut);
}

bool CMainDlg::CreateBars() {
    CreateMenu();

    m_pToolBar = new QToolBar(this);
    m_pToolBar->setIconSize(QSize(22, 21));
    m_pToolBar->setMovable(false);
    SetControlId(m_pToolBar, AFX_IDW_TOOLBAR);
    for (int nId : CMenuResource::ToolbarButtons()) {
        if (nId == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = MakeAction(nId, QString());
        pAction->setIcon(CIconResource::Icon(nId));
        // The status line keeps its text while a button is hovered: no status tip.
        pAction->setToolTip(CStringTable::Tooltip(nId));
        m_pToolBar->addAction(pAction);
    }

    m_pStatusBar = new CStatusLine(this);
    SetControlId(m_pStatusBar, AFX_IDW_STATUS_BAR);
    m_pConnection = std::make_unique<CConnectionControl>(*m_pStatusBar);

    // Make room: the controls move below the menu and toolbar, and the window grows by
    // what the bars take.
    const int menuHeight = m_pMenuBar->sizeHint().height();
    const int toolHeight = m_pToolBar->sizeHint().height();
    const int statusHeight =
        std::max(CStatusLine::kMinimumHeight, m_pStatusBar->sizeHint().height());
    const int top = menuHeight + toolHeight;
    for (QObject* pChild : children()) {
        auto* pWidget = qobject_cast<QWidget*>(pChild);
        if (pWidget == nullptr || pWidget->isWindow() || pWidget == m_pMenuBar ||
            pWidget == m_pToolBar || pWidget == m_pStatusBar)
            continue;
        pWidget->move(pWidget->x(), pWidget->y() + top);
    }
    const QSize client = size();
    resize(client.width(), client.height() + top + statusHeight);
    m_pToolBar->setGeometry(0, menuHeight, width(), toolHeight);
    m_pStatusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    PlaceMenuBar();
    return true;
}

void CMainDlg::PlaceMenuBar() {
    if (m_pMenuBar != nullptr)
        m_pMenuBar->setGeometry(0, 0, width(), m_pMenuBar->sizeHint().height());
}

void CMainDlg::RestorePlacement() {
    if (CProfile::GetInt(CProfile::kSettings, CProfile::kSavePosition, 1) == 0) return;
    const std::optional<CWindowPlacement> placement = CWindowPlacement::Load();
    if (!placement) return;
    // At least an icon's width and height of the window stay on one of the screens.
    QList<QRect> screens;
    for (const QScreen* pScreen : QGuiApplication::screens())
        screens << pScreen->availableGeometry();
    setGeometry(CWindowPlacement::ClampToScreens(placement->m_rect, screens, kIconSize));
    if (placement->m_nShow == CWindowPlacement::kShowMaximized)
        setWindowState(Qt::WindowMaximized);
    else if (placement->m_nShow == CWindowPlacement::kShowMinimized)
        setWindowState(Qt::WindowMinimized);
}

bool CMainDlg::SavePlacement() {
    CWindowPlacement placement;
    placement.m_nShow = isMinimized()   ? CWindowPlacement::kShowMinimized
                        : isMaximized() ? CWindowPlacement::kShowMaximized
                                        : CWindowPlacement::kShowNormal;
    placement.m_rect = normalGeometry().isValid() ? normalGeometry() : geometry();
    return placement.Save();
}

void CMainDlg::SaveForNextRun(bool bPlacement) {
    if (m_bSavedForNextRun) return;
    m_bSavedForNextRun = true;
    QStringList warnings;
    const auto note = [&warnings](const QString& strWarning) {
        if (!strWarning.isEmpty() && !warnings.contains(strWarning)) warnings << strWarning;
    };
    for (int page = 0; page < kPageCount; ++page) note(Page(page).SaveForNextRun());
    bool bSaved = true;
    if (m_pNavigationList != nullptr && m_nColumnWidth >= 1)
        bSaved =
            CProfile::WriteInt(CProfile::kSettings, CProfile::kOutlookBarWidth, m_nColumnWidth);
    if (bPlacement && CProfile::GetInt(CProfile::kSettings, CProfile::kSavePosition, 1) != 0)
        bSaved = SavePlacement() && bSaved;
    if (!bSaved) note(CUiText::CouldNotSaveSettings(CProfile::FileName()));
    for (const QString& strWarning : warnings) CDialogService::Instance().Warn(this, strWarning);
}

void CMainDlg::CreatePages() {
    for (int page = 0; page < kPageCount; ++page) {
        CResizableDialog& dialog = Page(page);
        dialog.Create(this);
        connect(&dialog, &CResizableDialog::CommandIssued, this, &CMainDlg::OnCommand);
        connect(&dialog, &CResizableDialog::StatusTextRequested, this, &CMainDlg::SetStatusText);
        connect(&dialog, &CResizableDialog::StatusTextRestoreRequested, this,
                &CMainDlg::RestoreStatusText);
    }
}

void CMainDlg::FillReaderList() {
    QComboBox* pReaders = m_settingsPage.ReaderCombo();
    const LPCSTR pList = g_pCardReader != nullptr ? g_pCardReader->GetReaderList() : nullptr;
    const std::vector<std::string> names = CCardReader::SplitReaderList(pList, kMaxReaders);
    for (const std::string& name : names) InsertSorted(pReaders, Latin1(name));
    if (names.empty()) pReaders->addItem(QLatin1String(CUiText::kNoReaders));
}

// ---- pages ----

void CMainDlg::ShowPage(int nPage) {
    if (nPage < 0 || nPage >= kPageCount) return;
    m_pNavigationList->setCurrentRow(nPage);
    for (int page = 0; page < kPageCount; ++page) Page(page).setVisible(page == nPage);
    m_pInfoBar->SetCaption(QLatin1String(kPages[static_cast<std::size_t>(nPage)].pszName));
}

void CMainDlg::LayoutPages() {
    const QWidget* pHost = GetDlgItem(IDC_PAGE_HOST);
    if (pHost == nullptr) return;
    for (int page = 0; page < kPageCount; ++page) Page(page).setGeometry(pHost->geometry());
}

void CMainDlg::ApplySettings() {
    m_settingsPage.DoDataExchange(true);
    if (g_pCardReader != nullptr)
        g_pCardReader->SetReaderName(Bytes(m_settingsPage.ReaderCombo()->currentText()));
    setWindowTitle(Latin1(m_settingsPage.AppName()));
}

// ---- commands ----

void CMainDlg::OnCommand(int nId) {
    const int nPage = PageOfViewCommand(nId);
    if (nPage >= 0) {
        ShowPage(nPage);
        return;
    }
    switch (nId) {
        case ID_CARD_CONNECT:
            OnCardConnect();
            break;
        case ID_CARD_DISCONNECT:
            OnCardDisconnect();
            break;
        case ID_CARD_RECONNECT:
            OnCardReconnect();
            break;
        case ID_APP_EXIT:
            SaveForNextRun(false);  // not a close request: no placement
            done(QDialog::Rejected);
            break;
        case ID_HELP_CONTENTS:
            OnHelpContents();
            break;
        case ID_APP_ABOUT:
            OnAppAbout();
            break;
        case ID_TOOLS_EXPLORE:
            OnToolsExplore();
            break;
        case ID_TOOLS_OPEN_DUMP:
            OnToolsOpenDump();
            break;
        case ID_TOOLS_COMPARE:
            OnToolsCompare();
            break;
        case IDC_APPLY:
            ApplySettings();
            break;
        default:
            break;
    }
}

void CMainDlg::OnHelpContents() {
    const QString strPath = CHelpLocation::Find(QCoreApplication::applicationDirPath());
    if (!strPath.isEmpty()) CDialogService::Instance().OpenDocument(strPath);
}

void CMainDlg::OnAppAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

CExplorerWindow& CMainDlg::Explorer() {
    if (!m_pExplorer) {
        const auto codeExchange = [](const std::string& strCommand, std::string& strResponse) -> long {
            if (!g_pCardReader) return ExchangeWithCard(strCommand, strResponse);
            return g_pCardReader->Exchange(strCommand, strResponse, CCodeCommand::Masked(strCommand));
        };
        m_pExplorer = std::make_unique<CExplorerWindow>(&ExchangeWithCard, this, codeExchange);
        // A card pulled while the explorer reads it stops the read with a message.
        connect(&CardWatcher(), &CCardWatcher::CardLeft, m_pExplorer.get(),
                [this](CCardWatch::EEnd) { m_pExplorer->SetCardPresent(false); });
    }
    return *m_pExplorer;
}

void CMainDlg::OnToolsExplore() {
    CExplorerWindow& explorer = Explorer();
    explorer.ExploreCard();
    explorer.SetCardPresent(g_pCardReader != nullptr && g_pCardReader->IsConnected() &&
                            !CardWatcher().IsCardGone());
    explorer.show();
    explorer.raise();
}

void CMainDlg::OnToolsOpenDump() {
    const QString strPath = CDialogService::Instance().GetOpenFileName(this, CExplorerWindow::DumpFileDialog());
    if (strPath.isEmpty()) return;
    CExplorerWindow& explorer = Explorer();
    if (!explorer.OpenDump(strPath)) return;
    explorer.show();
    explorer.raise();
}

void CMainDlg::OnToolsCompare() {
    CCardDump first, second;
    QString strFirst, strSecond;
    if (!CExplorerWindow::AskForDump(this, "Compare: first dump", first, strFirst)) return;
    const bool bCardRead = m_pExplorer && m_pExplorer->IsLive() && !m_pExplorer->Dump().m_files.empty();
    const bool bWithCard =
        bCardRead && CDialogService::Instance().MessageBox(
                         this, "Compare the dump with the card as read in the explorer?\n(No: choose a second dump.)",
                         windowTitle(), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    if (bWithCard) {
        second = m_pExplorer->Dump();
        strSecond = "card";
    } else if (!CExplorerWindow::AskForDump(this, "Compare: second dump", second, strSecond)) {
        return;
    }
    auto pWindow = std::make_unique<CCompareWindow>(first, strFirst, second, strSecond, this);
    pWindow->show();
    m_compareWindows.push_back(std::move(pWindow));
}

void CMainDlg::ShowCardError() {
    CCardErrorDlg dialog(this);
    dialog.DoModal();
}

void CMainDlg::AppendRecord(const std::string& command, const std::string& response) {
    m_tracePage.AppendRecord(command, response);
}

// ---- connection control ----

void CMainDlg::OnCardConnect() {
    m_pConnection->Connect();
}

void CMainDlg::OnCardDisconnect() {
    m_pConnection->Disconnect();
}

void CMainDlg::OnCardReconnect() {
    m_pConnection->Reconnect();
}

CCardWatcher& CMainDlg::CardWatcher() {
    return m_pConnection->CardWatcher();
}

QString CMainDlg::PaneText() const {
    return m_pStatusBar->PaneText();
}

void CMainDlg::SetStatusText(const QString& strText, int nRemember) {
    m_pStatusBar->SetText(strText, nRemember);
}

void CMainDlg::RestoreStatusText() {
    m_pStatusBar->RestoreText();
}

void CMainDlg::OnMenuHovered(QAction* pAction) {
    // A toolbar button reports its hover through the action it shares with a menu, and
    // the menu bar reports a mouse merely passing over it: prompts belong to menu mode,
    // when a menu is open or the bar has the keyboard.
    const auto* pMenu = qobject_cast<const QMenu*>(sender());
    if (pAction == nullptr || (pMenu != nullptr && !pMenu->isVisible())) return;
    if (sender() == m_pMenuBar && QApplication::activePopupWidget() == nullptr &&
        !m_pMenuBar->hasFocus())
        return;
    SetStatusText(CMenuResource::PromptOf(pAction), 0);
}

// ---- idle ----

void CMainDlg::OnAboutToBlock() {
    // Idle time is the window's own loop's: an open menu keeps its prompt, a dialog
    // above the window keeps the window as it is.
    if (!m_bIdleDue || QApplication::activePopupWidget() != nullptr) return;
    QWidget* pModal = QApplication::activeModalWidget();
    if (pModal != nullptr && pModal != this) return;
    m_bIdleDue = false;
    OnIdleUpdate();
}

void CMainDlg::OnIdleUpdate() {
    const bool bConnected = CConnectionControl::IsConnected();
    Action(ID_CARD_CONNECT)->setEnabled(!bConnected);
    Action(ID_CARD_DISCONNECT)->setEnabled(bConnected);
    Action(ID_CARD_RECONNECT)->setEnabled(bConnected);
    for (int page = 0; page < kPageCount; ++page)
        Action(kPages[static_cast<std::size_t>(page)].nViewCommand)
            ->setChecked(!Page(page).isHidden());
    RestoreStatusText();
}

// ---- window ----

void CMainDlg::closeEvent(QCloseEvent* pEvent) {
    SaveForNextRun(true);
    done(QDialog::Rejected);
    pEvent->accept();
}

void CMainDlg::keyPressEvent(QKeyEvent* pEvent) {
    // Escape never ends the window.
    if (pEvent->key() == Qt::Key_Escape) {
        pEvent->accept();
        return;
    }
    CResizableDialog::keyPressEvent(pEvent);
}

void CMainDlg::resizeEvent(QResizeEvent* pEvent) {
    CResizableDialog::resizeEvent(pEvent);
    PlaceMenuBar();
    if (m_bInitialised) LayoutPages();
}

void CMainDlg::changeEvent(QEvent* pEvent) {
    if (pEvent->type() == QEvent::PaletteChange && m_pNavigationList != nullptr)
        m_pNavigationList->ApplyColours();
    CResizableDialog::changeEvent(pEvent);
}
