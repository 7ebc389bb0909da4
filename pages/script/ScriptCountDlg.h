// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableDialog.h"
#include "ScriptCount.h"

// A dialog that asks for a number of script rows, 0 to 999: OK is refused with a warning,
// and the dialog stays open, while the field holds anything else.
class CScriptCountDlg : public CResizableDialog {
    Q_OBJECT

public:
    static constexpr int kMaxCount = CScriptCount::kMax;

    CScriptCountDlg(int nTemplateId, int nCount, QWidget* pParent);

    int Count() const { return m_nCount; }

protected:
    // The count field's text, as the user left it.
    virtual QString CountText() const = 0;

    void OnOK() override;

private:
    int m_nCount;
};
