// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptCountDlg.h"

#include <QRect>

class CUpDownEdit;

// "Properties": how many rows the script has and how many of them are empty, and the new
// number of rows, with up-down arrows from 0 to 999.
class CScriptPropertiesDlg : public CScriptCountDlg {
    Q_OBJECT

public:
    CScriptPropertiesDlg(int nEmptyItems, int nTotalItems, QWidget* pParent = nullptr);

    CUpDownEdit* NewTotalBox() const { return m_pNewTotal; }

protected:
    QWidget* CreateControl(const SDialogControl& control) override;
    bool OnInitDialog() override;
    QString CountText() const override;

private:
    int m_nEmptyItems;
    int m_nTotalItems;
    CUpDownEdit* m_pNewTotal = nullptr;
    QRect m_arrowsRect;
};
