// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptPage.h"

#include "AcceleratorResource.h"
#include "ByteText.h"
#include "CardReader.h"
#include "DialogService.h"
#include "DragListCtrl.h"
#include "EditCommandDlg.h"
#include "IconResource.h"
#include "ItemListModel.h"
#include "MenuResource.h"
#include "NewScriptDlg.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ScriptEngine.h"
#include "ScriptFile.h"
#include "ScriptListRows.h"
#include "ScriptPropertiesDlg.h"
#include "StatusWords.h"
#include "StringTable.h"
#include "UiText.h"
#include "WaitCursor.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScopedPointer>
#include <QScopedValueRollback>
#include <QStyle>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {IDC_SCRIPT_LIST, R::kSizeX | R::kSizeY},
    {IDC_PLAY, R::kMoveX},
    {IDC_STEP, R::kMoveX},
    {IDC_RESET, R::kMoveX},
    {IDC_EXPORT, R::kMoveX | R::kMoveY},
    {-1, 0},
};

constexpr int kButtonsWithTips[] = {IDC_NEW,  IDC_OPEN, IDC_SAVE, IDC_EXPORT,
                                    IDC_PLAY, IDC_STEP, IDC_RESET};
constexpr int kRowIconSize = 16;
// Row numbers up to 999 fit from the start; more digits widen the column when needed.
constexpr int kItemDigits = 3;
constexpr int kMostItemDigits = 10;
const char* const kUntitled = "untitled";

// Why Play passes a command over, as the list tips it; empty for a sent or empty command.
std::string_view SkipNote(std::string_view command) {
    using E = CScriptEngine::ECommandCheck;
    switch (CScriptEngine::CheckCommand(command)) {
        case E::kOddLength:
            return CStringTable::Find(IDS_NOT_SENT_ODD_LENGTH);
        case E::kLowerCase:
            return CStringTable::Find(IDS_NOT_SENT_LOWER_CASE);
        case E::kSpace:
            return CStringTable::Find(IDS_NOT_SENT_SPACE);
        case E::kCarriageReturn:
            return CStringTable::Find(IDS_NOT_SENT_CARRIAGE_RETURN);
        case E::kNotHexDigit:
            return CStringTable::Find(IDS_NOT_SENT_NOT_HEX_DIGIT);
        case E::kSent:
        case E::kEmpty:
            break;
    }
    return {};
}

CDialogService::SFileDialog ScriptFileDialog(const QString& strFileName) {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = QStringLiteral("scp");
    options.strFileName = strFileName;
    options.filters =
        QStringList{QLatin1String(CUiText::kScriptFiles), QLatin1String(CUiText::kAllFiles)};
    return options;
}

}  // namespace

CScriptPage::CScriptPage(QWidget* pParent)
    : CPageDialog(IDD_SCRIPT_PAGE, pParent), m_strFileTitle(QLatin1String(kUntitled)) {}

CScriptPage::~CScriptPage() {
    if (m_pList == nullptr) return;
    m_pList->removeEventFilter(this);
    SaveForNextRun();
}

QString CScriptPage::OnSaveForNextRun() {
    if (m_pList == nullptr || m_pList->SaveColumnWidths()) return QString();
    return CUiText::CouldNotSaveSettings(CProfile::FileName());
}

const CResizableDialog::SResizeMapEntry* CScriptPage::GetResizeMap() const {
    return kResizeMap;
}

QWidget* CScriptPage::CreateControl(const SDialogControl& control) {
    if (control.nId != IDC_SCRIPT_LIST) return CPageDialog::CreateControl(control);
    m_pList = new CDragListCtrl(this);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pList->installEventFilter(this);
    connect(m_pList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { OnContextMenu(m_pList->viewport()->mapToGlobal(pos)); });
    connect(m_pList, &QAbstractItemView::doubleClicked, this, &CScriptPage::OnEditCommand);
    return m_pList;
}

bool CScriptPage::OnInitDialog() {
    CPageDialog::OnInitDialog();
    m_pList->SetColumns(CScriptListRows::kColumns);
    m_pList->setIconSize(QSize(kRowIconSize, kRowIconSize));
    FitItemColumn();
    m_pList->LoadColumnWidths();
    // A stored width that the page would have chosen itself is not the user's.
    m_bItemWidthByUser = !IsFittedItemWidth(m_pList->header()->sectionSize(CScriptListRows::kItem));
    connect(m_pList->header(), &QHeaderView::sectionResized, this,
            [this](int nColumn) { OnHeaderSectionResized(nColumn); });
    m_pList->Model()->SetRowDecoration(CIconResource::Icon(IDI_COMMAND));
    m_pList->Model()->SetColumnNote(CScriptListRows::kCommand, &SkipNote);
    m_pList->Model()->SetColumnTip(CScriptListRows::kStatusWord,
                                   [](std::string_view text) { return ExplainStatusWord(text); });
    m_pRows = std::make_unique<CScriptListRows>(*m_pList);
    // The default button stays hidden; Enter reaches Edit through OnEnter.
    GetDlgItem(IDC_EDIT)->hide();
    AddTooltips();
    AddAccelerators();
    return true;
}

void CScriptPage::FitItemColumn() {
    if (m_bItemWidthByUser) return;
    const QScopedValueRollback<bool> fitting(m_bFittingItem, true);
    const int nRows = m_pList->Model()->RowCount();
    const int nDigits = static_cast<int>(std::to_string(nRows).size());
    m_pList->header()->resizeSection(CScriptListRows::kItem,
                                     ItemColumnWidth(std::max(nDigits, kItemDigits)));
}

int CScriptPage::ItemColumnWidth(int nDigits) const {
    // Qt's item views pad the icon and the text more than 40 pixels leave room for.
    const int nMargin =
        m_pList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_pList) + 1;
    const int nNeeded =
        kRowIconSize +
        m_pList->fontMetrics().horizontalAdvance(QString(nDigits, QLatin1Char('0'))) + 4 * nMargin +
        2;
    return std::max(m_pList->Model()->SpecifiedWidth(CScriptListRows::kItem), nNeeded);
}

bool CScriptPage::IsFittedItemWidth(int nWidth) const {
    for (int nDigits = kItemDigits; nDigits <= kMostItemDigits; ++nDigits)
        if (ItemColumnWidth(nDigits) == nWidth) return true;
    return false;
}

void CScriptPage::OnHeaderSectionResized(int nColumn) {
    if (nColumn == CScriptListRows::kItem && !m_bFittingItem) m_bItemWidthByUser = true;
}

void CScriptPage::AddTooltips() {
    for (const int nId : kButtonsWithTips) GetDlgItem(nId)->setToolTip(CStringTable::Prompt(nId));
}

void CScriptPage::AddAccelerators() {
    for (const SAccelerator& accelerator : CAcceleratorResource::Find(IDR_SCRIPT_ACCELERATORS)) {
        auto* pAction = new QAction(this);
        pAction->setShortcut(accelerator.key);
        pAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const int nId = accelerator.nId;
        connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        addAction(pAction);
    }
}

// ---- commands ----

void CScriptPage::OnCommand(int nId) {
    switch (nId) {
        case IDC_NEW:
            OnNew();
            break;
        case IDC_OPEN:
            OnOpen();
            break;
        case IDC_SAVE:
            OnSave();
            break;
        case ID_SCRIPT_SAVE_AS:
            OnSaveAs();
            break;
        case IDC_EXPORT:
            OnExport();
            break;
        case IDC_PLAY:
            OnPlay();
            break;
        case IDC_STEP:
            OnStep();
            break;
        case IDC_RESET:
            OnReset();
            break;
        case IDC_EDIT:
        case ID_SCRIPT_EDIT:
            OnEditCommand();
            break;
        case ID_SCRIPT_CLEAR_OUTPUT:
            OnClearOutput();
            break;
        case ID_SCRIPT_COPY:
            OnCopy();
            break;
        case ID_SCRIPT_CUT:
            OnCut();
            break;
        case ID_SCRIPT_PASTE:
            OnPaste();
            break;
        case ID_SCRIPT_DELETE:
            OnDelete();
            break;
        case ID_SCRIPT_INSERT:
            OnInsert();
            break;
        case ID_SCRIPT_BREAKPOINT:
            OnToggleBreakpoint();
            break;
        case ID_SCRIPT_SELECT_ALL:
            OnSelectAll();
            break;
        case ID_SCRIPT_PROPERTIES:
            OnProperties();
            break;
        default:
            CPageDialog::OnCommand(nId);
            break;
    }
}

void CScriptPage::OnEnter() {
    OnEditCommand();
}

// ---- script files ----

void CScriptPage::OnNew() {
    CNewScriptDlg dialog(this);
    if (dialog.DoModal() != QDialog::Accepted) return;
    CItemListModel* pModel = m_pList->Model();
    pModel->DeleteAllRows();
    pModel->InsertRows(0, dialog.Count());
    Renumber();
    m_strPathName.clear();
    m_strFileTitle = QLatin1String(kUntitled);
}

void CScriptPage::OnOpen() {
    const QString strPath =
        CDialogService::Instance().AskOpenFile(this, ScriptFileDialog({}), CFileFolders::kScripts);
    if (!strPath.isEmpty()) OpenScript(strPath);
}

bool CScriptPage::OpenScript(const QString& strPath) {
    // The whole file is read before anything changes: a failed read keeps rows and name.
    std::vector<std::string> lines;
    if (!CScriptFile::Read(strPath, lines, nullptr)) {
        ShowCouldNotOpen(strPath);
        return false;
    }
    std::vector<CItemListModel::Row> rows(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        rows[i] = {std::string(), std::string(), std::move(lines[i])};
    CItemListModel* pModel = m_pList->Model();
    pModel->DeleteAllRows();
    SetScriptName(strPath);
    pModel->InsertRowsTexts(0, std::move(rows));
    Renumber();
    return true;
}

void CScriptPage::OnSave() {
    if (m_strPathName.isEmpty()) {
        const QString strPath = CDialogService::Instance().AskSaveFile(
            this, ScriptFileDialog(QLatin1String(kUntitled)), CFileFolders::kScripts);
        if (strPath.isEmpty()) return;
        SetScriptName(strPath);
    }
    WriteScript(m_strPathName, false);
}

void CScriptPage::OnSaveAs() {
    const QString strPath = CDialogService::Instance().AskSaveFile(
        this, ScriptFileDialog(m_strFileTitle), CFileFolders::kScripts);
    if (!strPath.isEmpty() && WriteScript(strPath, false)) SetScriptName(strPath);
}

void CScriptPage::OnExport() {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = QStringLiteral("log");
    options.strFileName = m_strFileTitle;
    options.filters =
        QStringList{QLatin1String(CUiText::kLogFiles), QLatin1String(CUiText::kAllFiles)};
    const QString strPath =
        CDialogService::Instance().AskSaveFile(this, options, CFileFolders::kExports);
    if (!strPath.isEmpty()) WriteScript(strPath, true);
}

bool CScriptPage::WriteScript(const QString& strPath, bool bWithResults) {
    // Written aside and renamed over the file only when complete: a failure loses nothing.
    const bool bWritten = bWithResults ? CScriptFile::WriteExport(strPath, *m_pRows, nullptr)
                                       : CScriptFile::WriteScript(strPath, *m_pRows, nullptr);
    if (!bWritten) ShowCouldNotOpen(strPath);
    return bWritten;
}

void CScriptPage::SetScriptName(const QString& strPath) {
    m_strPathName = strPath;
    m_strFileTitle = CScriptFile::FileTitle(strPath);
}

void CScriptPage::ShowCouldNotOpen(const QString& strPath) {
    CDialogService::Instance().Warn(this, CUiText::CouldNotOpen(strPath));
}

// ---- running ----

bool CScriptPage::EnsureConnected() {
    const auto connected = [] { return g_pCardReader != nullptr && g_pCardReader->IsConnected(); };
    if (!connected()) emit CommandIssued(ID_CARD_CONNECT);
    return connected();
}

void CScriptPage::OnPlay() {
    const CWaitCursor wait;
    if (EnsureConnected()) RunEngine(&CScriptEngine::Play);
    // The keys of the list (F9, Delete, Insert, Ctrl+C) work again without a click.
    m_pList->setFocus(Qt::OtherFocusReason);
}

void CScriptPage::OnStep() {
    const CWaitCursor wait;
    if (EnsureConnected()) RunEngine(&CScriptEngine::Step);
    m_pList->setFocus(Qt::OtherFocusReason);
}

void CScriptPage::OnReset() {
    RunEngine(&CScriptEngine::Reset);
}

void CScriptPage::RunEngine(void (CScriptEngine::*pOperation)()) {
    m_pRows->BeginRun();
    CScriptEngine engine(*m_pRows, &ExchangeWithCard);
    (engine.*pOperation)();
    m_pRows->EndRun();
}

// ---- editing ----

bool CScriptPage::HasSelection() const {
    return m_pList->selectionModel()->hasSelection();
}

void CScriptPage::Renumber() {
    CItemListModel* pModel = m_pList->Model();
    pModel->SetNumberFormat(pModel->RowCount());
    pModel->RenumberAll();
    FitItemColumn();
    if (pModel->RowCount() != 0) return;
    m_pList->SetEmptyTextArmed(true);
    m_pList->viewport()->update();
}

void CScriptPage::OnEditCommand() {
    const std::vector<int> rows = m_pList->Selection().aRows;
    if (rows.size() != 1) return;
    CItemListModel* pModel = m_pList->Model();
    CEditCommandDlg dialog(pModel->CellText(rows[0], CScriptListRows::kCommand), this);
    if (dialog.DoModal() == QDialog::Accepted)
        pModel->SetCellText(rows[0], CScriptListRows::kCommand, dialog.Command());
}

void CScriptPage::OnClearOutput() {
    if (!CanEditSelection()) return;
    for (const int row : m_pList->Selection().aRows) m_pRows->ClearResults(row, row + 1);
}

void CScriptPage::OnCopy() {
    if (CanEditSelection()) m_pList->CopySelection();
}

void CScriptPage::OnCut() {
    if (CanEditSelection()) m_pList->CutSelection();
}

void CScriptPage::OnPaste() {
    if (CanEditSelection()) m_pList->PasteClipboard();
}

void CScriptPage::OnDelete() {
    if (CanEditSelection()) m_pList->DeleteSelection();
    Renumber();
}

void CScriptPage::OnInsert() {
    if (CanEditSelection()) m_pList->InsertAtFocus();
    Renumber();
}

void CScriptPage::OnToggleBreakpoint() {
    if (!CanEditSelection()) return;
    CItemListModel* pModel = m_pList->Model();
    for (const int row : m_pList->Selection().aRows) {
        const bool bMarked = m_pRows->IsBreakpoint(row);
        pModel->SetCellText(row, CScriptListRows::kBreakPoint,
                            bMarked ? "" : CScriptListRows::kBreakpointMark);
    }
}

void CScriptPage::OnSelectAll() {
    if (m_bListFocused) m_pList->SelectAllRows();
}

void CScriptPage::OnProperties() {
    CItemListModel* pModel = m_pList->Model();
    const int nTotal = pModel->RowCount();
    int nEmpty = 0;
    for (int row = 0; row < nTotal; ++row) nEmpty += pModel->IsRowEmpty(row) ? 1 : 0;
    CScriptPropertiesDlg dialog(nEmpty, nTotal, this);
    if (dialog.DoModal() != QDialog::Accepted || dialog.Count() == nTotal) return;
    // Grows or shrinks at the end, whatever the last rows hold.
    const int nNewTotal = dialog.Count();
    if (nNewTotal > nTotal) {
        pModel->InsertRows(nTotal, nNewTotal - nTotal);
    } else {
        std::vector<int> dropped;
        for (int row = nNewTotal; row < nTotal; ++row) dropped.push_back(row);
        pModel->DeleteRows(dropped);
    }
    Renumber();
}

// ---- context menu ----

void CScriptPage::OnContextMenu(const QPoint& screenPos) {
    const bool bSelected = HasSelection();
    QScopedPointer<QMenu> pMenu(
        CMenuResource::BuildPopup(IDR_SCRIPT_MENU, bSelected ? 0 : 1, this));
    // Edit, the command of Enter and of a double-click, is drawn in bold.
    if (bSelected) pMenu->setDefaultAction(pMenu->actions().constFirst());
    const int nId = CDialogService::Instance().ExecMenuWithPrompts(
        *pMenu, screenPos,
        [this](const QString& strPrompt) { emit StatusTextRequested(strPrompt, 0); },
        [this] { emit StatusTextRestoreRequested(); });
    if (nId != 0) OnCommand(nId);
}

// QObject

bool CScriptPage::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pList && pEvent->type() == QEvent::FocusIn) m_bListFocused = true;
    // A context menu over the list leaves it the focus, so its commands still apply.
    if (pWatched == m_pList && pEvent->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(pEvent)->reason() != Qt::PopupFocusReason)
        m_bListFocused = false;
    return CPageDialog::eventFilter(pWatched, pEvent);
}
