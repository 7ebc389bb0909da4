// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableDialog.h"

// "Card error": shown modally when a connection fails; nothing but its text and OK.
class CCardErrorDlg : public CResizableDialog {
    Q_OBJECT

public:
    explicit CCardErrorDlg(QWidget* pParent = nullptr);
};
