// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptPropertiesDlg.h"

#include "ResourceIds.h"
#include "UpDownEdit.h"

#include <QLabel>

CScriptPropertiesDlg::CScriptPropertiesDlg(int nEmptyItems, int nTotalItems, QWidget* pParent)
    : CScriptCountDlg(IDD_SCRIPT_PROPERTIES, nTotalItems, pParent),
      m_nEmptyItems(nEmptyItems),
      m_nTotalItems(nTotalItems) {}

QWidget* CScriptPropertiesDlg::CreateControl(const SDialogControl& control) {
    if (control.nId == IDC_NEW_TOTAL) {
        // The edit and its up-down arrows in one: the template's edit and arrow rectangles.
        // A fourth digit can be typed, so that 1000 reaches the warning.
        m_pNewTotal = new CUpDownEdit(this);
        m_pNewTotal->SetRange(0, kMaxCount);
        m_pNewTotal->SetPosition(Count());
        return m_pNewTotal;
    }
    if (control.nId == IDC_NEW_TOTAL_SPIN) {
        // Its rectangle joins the spin box's, which draws the arrows.
        m_arrowsRect = MapDialogRect(QRect(control.x, control.y, control.cx, control.cy));
        return nullptr;
    }
    QWidget* pWidget = CScriptCountDlg::CreateControl(control);
    if (control.nId == IDC_EMPTY_ITEMS) static_cast<QLabel*>(pWidget)->setNum(m_nEmptyItems);
    if (control.nId == IDC_TOTAL_ITEMS) static_cast<QLabel*>(pWidget)->setNum(m_nTotalItems);
    return pWidget;
}

bool CScriptPropertiesDlg::OnInitDialog() {
    m_pNewTotal->setGeometry(m_pNewTotal->geometry().united(m_arrowsRect));
    m_pNewTotal->selectAll();
    return true;
}

QString CScriptPropertiesDlg::CountText() const {
    return m_pNewTotal->text();
}
