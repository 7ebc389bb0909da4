#include "AboutDlg.h"

#include "ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : CResizableDialog(IDD_ABOUTBOX, pParent) {}
