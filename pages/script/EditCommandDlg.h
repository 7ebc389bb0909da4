// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableDialog.h"

#include <string>

class CHexEdit;

// "Edit Command": one row's command as hexadecimal digits, upper case, of any length. The
// text is not tested on OK; a row may hold an unfinished command.
class CEditCommandDlg : public CResizableDialog {
    Q_OBJECT

public:
    CEditCommandDlg(std::string strCommand, QWidget* pParent = nullptr);

    const std::string& Command() const { return m_strCommand; }
    CHexEdit* CommandEdit() const { return m_pCommandEdit; }

protected:
    QWidget* CreateControl(const SDialogControl& control) override;
    void DoDataExchange(bool bSaveAndValidate) override;
    void OnOK() override;

private:
    std::string m_strCommand;
    CHexEdit* m_pCommandEdit = nullptr;
};
