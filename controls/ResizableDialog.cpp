// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizableDialog.h"

#include "DialogService.h"
#include "DialogTemplates.h"
#include "IconResource.h"
#include "ResourceIds.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeView>

namespace {

const char* const kIdProperty = "controlId";

// Rounds as the platform's dialog-unit conversion does.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                         : (product - denominator / 2) / denominator);
}

const CResizableDialog::SResizeMapEntry kEmptyMap[] = {{-1, 0}};

}  // namespace

CResizableDialog::CResizableDialog(int nTemplateId, QWidget* pParent)
    : QDialog(pParent), m_nTemplateId(nTemplateId) {}

bool CResizableDialog::Create(QWidget* pParent) {
    // A page is a plain child widget, never a window of its own.
    return CreateAs(pParent, pParent != nullptr);
}

bool CResizableDialog::CreateAs(QWidget* pParent, bool bChild) {
    if (m_bCreated) return true;
    m_bCreated = true;
    const SDialogTemplate& dialogTemplate = CDialogTemplates::Find(m_nTemplateId);
    setParent(pParent, bChild ? Qt::Widget : Qt::Dialog);
    if (!bChild)
        setWindowTitle(QString::fromLatin1(dialogTemplate.pszTitle ? dialogTemplate.pszTitle : ""));
    setFont(TemplateFont(dialogTemplate));
    const QRect client = MapDialogRect(QRect(0, 0, dialogTemplate.cx, dialogTemplate.cy));
    if (!bChild && (m_nStyle & kStyleThickFrame) == 0)
        setFixedSize(client.size());
    else
        resize(client.size());
    BuildControls(dialogTemplate);
    DoDataExchange(false);
    return OnInitDialog();
}

int CResizableDialog::DoModal() {
    // The parent given at construction owns the modal window.
    CreateAs(parentWidget(), false);
    return CDialogService::Instance().ExecModal(*this);
}

QFont CResizableDialog::TemplateFont(const SDialogTemplate& dialogTemplate) const {
    QFont font = QFontDatabase::hasFamily(QLatin1String(dialogTemplate.pszFont))
                     ? QFont(QLatin1String(dialogTemplate.pszFont))
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(dialogTemplate.nPointSize);
    return font;
}

QSize CResizableDialog::BaseUnits() const {
    const QFontMetrics metrics(font());
    const int average =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((average / 26 + 1) / 2, metrics.height());
}

QRect CResizableDialog::MapDialogRect(const QRect& dialogUnits) const {
    const QSize base = BaseUnits();
    const int left = MulDiv(dialogUnits.x(), base.width(), 4);
    const int top = MulDiv(dialogUnits.y(), base.height(), 8);
    const int right = MulDiv(dialogUnits.x() + dialogUnits.width(), base.width(), 4);
    const int bottom = MulDiv(dialogUnits.y() + dialogUnits.height(), base.height(), 8);
    return QRect(left, top, right - left, bottom - top);
}

void CResizableDialog::SetControlId(QWidget* pControl, int nId) {
    pControl->setProperty(kIdProperty, nId);
    if (nId != IDC_STATIC) m_controls.insert(nId, pControl);
}

int CResizableDialog::ControlId(const QWidget* pControl) {
    const QVariant id = pControl->property(kIdProperty);
    return id.isValid() ? id.toInt() : IDC_STATIC;
}

void CResizableDialog::BuildControls(const SDialogTemplate& dialogTemplate) {
    for (const SDialogControl& control : dialogTemplate.controls) {
        QWidget* pWidget = CreateControl(control);
        if (pWidget == nullptr) continue;
        if (pWidget->parentWidget() != this) pWidget->setParent(this);
        QRect rect = MapDialogRect(QRect(control.x, control.y, control.cx, control.cy));
        // A drop-down list's template height includes the open list; the closed box
        // keeps its natural height.
        if (control.kind == EControlKind::DropDownList) rect.setHeight(pWidget->sizeHint().height());
        pWidget->setGeometry(rect);
        SetControlId(pWidget, control.nId);
        if (auto* pButton = qobject_cast<QPushButton*>(pWidget)) {
            const int nId = control.nId;
            connect(pButton, &QPushButton::clicked, this, [this, nId] { OnCommand(nId); });
        }
    }
}

QWidget* CResizableDialog::CreateControl(const SDialogControl& control) {
    const QString text = QString::fromLatin1(control.pszText ? control.pszText : "");
    switch (control.kind) {
        case EControlKind::Static:
        case EControlKind::StaticRight: {
            auto* pLabel = new QLabel(text, this);
            pLabel->setTextFormat(Qt::PlainText);
            pLabel->setWordWrap(true);
            const bool bRight = control.kind == EControlKind::StaticRight;
            pLabel->setAlignment((bRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            return pLabel;
        }
        case EControlKind::IconStatic: {
            auto* pLabel = new QLabel(this);
            pLabel->setPixmap(CIconResource::Icon(IDR_MAINFRAME).pixmap(32, 32));
            return pLabel;
        }
        case EControlKind::Frame: {
            auto* pFrame = new QFrame(this);
            pFrame->hide();
            return pFrame;
        }
        case EControlKind::EtchedLine: {
            auto* pLine = new QFrame(this);
            pLine->setFrameShape(QFrame::HLine);
            pLine->setFrameShadow(QFrame::Sunken);
            return pLine;
        }
        case EControlKind::PushButton:
        case EControlKind::DefPushButton: {
            auto* pButton = new QPushButton(text, this);
            pButton->setAutoDefault(false);
            pButton->setDefault(control.kind == EControlKind::DefPushButton);
            return pButton;
        }
        case EControlKind::Edit: return new QLineEdit(text, this);
        case EControlKind::DropDownList: return new QComboBox(this);
        case EControlKind::ListBox: return new QListWidget(this);
        case EControlKind::IconList: {
            auto* pList = new QListWidget(this);
            pList->setViewMode(QListView::IconMode);
            return pList;
        }
        case EControlKind::InfoBar: return new QWidget(this);
        case EControlKind::ReportList: return new QTreeView(this);
        // Qt draws the arrows inside the edit (a spin box): the dialog makes its edit one.
        case EControlKind::UpDown: return nullptr;
    }
    return nullptr;
}

const CResizableDialog::SResizeMapEntry* CResizableDialog::GetResizeMap() const { return kEmptyMap; }

bool CResizableDialog::OnInitDialog() { return true; }

void CResizableDialog::DoDataExchange(bool) {}

void CResizableDialog::OnOK() { done(QDialog::Accepted); }

void CResizableDialog::OnCancel() { done(QDialog::Rejected); }

void CResizableDialog::OnCommand(int nId) {
    if (nId == IDOK)
        OnOK();
    else if (nId == IDCANCEL)
        OnCancel();
    else
        emit CommandIssued(nId);
}

void CResizableDialog::accept() { OnOK(); }

void CResizableDialog::reject() { OnCancel(); }

void CResizableDialog::CaptureLayout(bool bMinSize, unsigned forcedStyles) {
    if ((m_nStyle & forcedStyles) != forcedStyles) m_nStyle |= forcedStyles;
    // A thick frame is what lets the user size the window.
    if ((m_nStyle & kStyleThickFrame) != 0 && isWindow()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    m_entries.clear();
    m_capturedSize = size();
    // Qt bounds the client area; the frame around it does not change.
    if (bMinSize) setMinimumSize(size());
    for (const SResizeMapEntry* pEntry = GetResizeMap(); pEntry->nId != -1 || pEntry->nFlags != 0;
         ++pEntry) {
        QWidget* pControl = GetDlgItem(pEntry->nId);
        if (pControl == nullptr) continue;
        m_entries.push_back({pEntry->nId, pEntry->nFlags, pControl->geometry()});
    }
}

void CResizableDialog::UpdateLayout(int cx, int cy) {
    const int dx = cx - m_capturedSize.width();
    const int dy = cy - m_capturedSize.height();
    for (const SResizeEntry& entry : m_entries) {
        QWidget* pControl = GetDlgItem(entry.nId);
        if (pControl == nullptr) continue;
        QRect rect = pControl->geometry();
        int left = rect.left();
        int top = rect.top();
        int right = left + rect.width();
        int bottom = top + rect.height();
        const int capturedRight = entry.rect.left() + entry.rect.width();
        const int capturedBottom = entry.rect.top() + entry.rect.height();
        if ((entry.nFlags & (kSizeX | kMoveX)) != 0) {
            right = capturedRight + dx;
            if ((entry.nFlags & kMoveX) != 0) left = right - entry.rect.width();
        }
        if ((entry.nFlags & (kSizeY | kMoveY)) != 0) {
            bottom = capturedBottom + dy;
            if ((entry.nFlags & kMoveY) != 0) top = bottom - entry.rect.height();
        }
        if ((entry.nFlags & (kSizeX | kSizeY | kMoveX | kMoveY)) != 0)
            pControl->setGeometry(left, top, right - left, bottom - top);
    }
    update();
}

void CResizableDialog::resizeEvent(QResizeEvent* pEvent) {
    QDialog::resizeEvent(pEvent);
    if (isMinimized()) return;
    UpdateLayout(pEvent->size().width(), pEvent->size().height());
}
