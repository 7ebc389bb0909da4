// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableDialog.h"

// The About box: the application icon, the version text and OK.
class CAboutDlg : public CResizableDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
