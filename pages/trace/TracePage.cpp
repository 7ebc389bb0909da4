// SPDX-License-Identifier: GPL-3.0-or-later
#include "TracePage.h"

#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "DialogService.h"
#include "MenuResource.h"
#include "ResourceIds.h"
#include "StatusWords.h"
#include "StringTable.h"
#include "TraceRecord.h"
#include "UiText.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QScopedPointer>
#include <QToolTip>

namespace {

constexpr CResizableDialog::SResizeMapEntry kResizeMap[] = {
    {IDC_TRACE_LIST, CResizableDialog::kSizeX | CResizableDialog::kSizeY},
    {-1, 0},
};

}  // namespace

CTracePage::CTracePage(QWidget* pParent) : CPageDialog(IDD_TRACE_PAGE, pParent) {}

const CResizableDialog::SResizeMapEntry* CTracePage::GetResizeMap() const { return kResizeMap; }

QWidget* CTracePage::CreateControl(const SDialogControl& control) {
    if (control.nId != IDC_TRACE_LIST) return CPageDialog::CreateControl(control);
    m_pList = new CColorListBox(this);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pList->viewport()->installEventFilter(this);
    connect(m_pList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { OnContextMenu(m_pList->viewport()->mapToGlobal(pos)); });
    return m_pList;
}

void CTracePage::AppendRecord(const std::string& strCommand, const std::string& strResponse) {
    CTraceRecord::AppendTo(*m_pList->Model(), strCommand, strResponse);
}

void CTracePage::OnContextMenu(const QPoint& screenPos) {
    QScopedPointer<QMenu> pMenu(CMenuResource::BuildPopup(IDR_TRACE_MENU, 0, this));
    const int nId = CDialogService::Instance().ExecMenuWithPrompts(
        *pMenu, screenPos,
        [this](const QString& strPrompt) { emit StatusTextRequested(strPrompt, 0); },
        [this] { emit StatusTextRequested(QString(), 0); });
    if (nId != 0) OnCommand(nId);
}

void CTracePage::OnCommand(int nId) {
    if (nId == ID_TRACE_CLEAR)
        OnClear();
    else if (nId == ID_TRACE_SAVE_AS)
        OnSaveAs();
    else
        CPageDialog::OnCommand(nId);
}

void CTracePage::OnClear() { m_pList->Model()->Clear(); }

void CTracePage::OnSaveAs() {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = QStringLiteral("log");
    options.strFileName = QStringLiteral("trace");
    options.filters =
        QStringList{QLatin1String(CUiText::kLogFiles), QLatin1String(CUiText::kAllFiles)};
    options.bConfirmOverwrite = true;
    const QString strPath =
        CDialogService::Instance().AskSaveFile(this, options, CFileFolders::kTraceLogs);
    if (strPath.isEmpty()) return;
    // The model writes the whole file aside and puts it in place only when complete, so
    // a failed save leaves an older file and the trace as they were.
    if (!m_pList->Model()->SaveTo(strPath, nullptr))
        CDialogService::Instance().Warn(this, CUiText::CouldNotOpen(strPath));
}

QString CTracePage::LineTip(const QByteArray& line) {
    // Only status-word lines carry a meaning to explain; the rest of a record is plain hex.
    if (!line.startsWith("SW=")) return {};
    return QString::fromStdString(ExplainStatusWord(std::string_view(line.constData() + 3, line.size() - 3)));
}

bool CTracePage::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::ToolTip || m_pList == nullptr || pWatched != m_pList->viewport()) {
        return CPageDialog::eventFilter(pWatched, pEvent);
    }
    auto* pHelp = static_cast<QHelpEvent*>(pEvent);
    const QModelIndex index = m_pList->indexAt(pHelp->pos());
    const QString tip = index.isValid() ? LineTip(m_pList->Model()->LineText(index.row())) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(pHelp->globalPos(), tip, m_pList->viewport());
    }
    return true;
}
