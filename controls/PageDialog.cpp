// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageDialog.h"

#include "ByteText.h"
#include "HexEdit.h"

#include <QApplication>
#include <QKeyEvent>

CPageDialog::CPageDialog(int nTemplateId, QWidget* pParent) : CResizableDialog(nTemplateId, pParent) {}

CPageDialog::~CPageDialog() {
    // The controls go after this object has stopped being a page; their focus changes
    // must not reach it.
    disconnect(m_focusConnection);
}

QString CPageDialog::SaveForNextRun() {
    if (m_bSavedForNextRun) return QString();
    m_bSavedForNextRun = true;
    return OnSaveForNextRun();
}

bool CPageDialog::OnInitDialog() {
    CaptureLayout(false, 0);
    // Followed through the application rather than asked of the control: a control keeps
    // its focus while the window is inactive, which is how the tests run it.
    if (auto* pApp = qobject_cast<QApplication*>(QCoreApplication::instance()))
        m_focusConnection = connect(pApp, &QApplication::focusChanged, this, &CPageDialog::OnFocusChanged);
    return true;
}

bool CPageDialog::HasFocus(const QWidget* pControl) const {
    return pControl != nullptr && m_pFocusWidget != nullptr &&
           (m_pFocusWidget == pControl || pControl->isAncestorOf(m_pFocusWidget));
}

void CPageDialog::SetText(QLineEdit* pEdit, const std::string& strText) {
    const QString text = Latin1(strText);
    if (pEdit->text() != text) pEdit->setText(text);
}

CHexEdit* CPageDialog::MakeHexEdit(int nTypedLimit) {
    auto* pEdit = new CHexEdit(this);
    pEdit->SetTypedLimit(nTypedLimit);
    return pEdit;
}

void CPageDialog::OnFocusChanged(QWidget*, QWidget* pNow) { m_pFocusWidget = pNow; }

// QWidget

void CPageDialog::keyPressEvent(QKeyEvent* pEvent) {
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    if (bEnter && modifiers == Qt::NoModifier) {
        pEvent->accept();
        OnEnter();
        return;
    }
    CResizableDialog::keyPressEvent(pEvent);
}
