// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardErrorDlg.h"

#include "ResourceIds.h"

CCardErrorDlg::CCardErrorDlg(QWidget* pParent) : CResizableDialog(IDD_CARD_ERROR, pParent) {}
