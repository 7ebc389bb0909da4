// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutDlg.h"

#include "ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : CResizableDialog(IDD_ABOUTBOX, pParent) {}
