// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptCountDlg.h"

class QLineEdit;

// "New PC File": how many empty rows the new script holds (50 proposed).
class CNewScriptDlg : public CScriptCountDlg {
    Q_OBJECT

public:
    static constexpr int kProposedCount = 50;

    explicit CNewScriptDlg(QWidget* pParent = nullptr);

protected:
    QWidget* CreateControl(const SDialogControl& control) override;
    QString CountText() const override;

private:
    QLineEdit* m_pCountEdit = nullptr;
};
