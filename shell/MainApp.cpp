// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainApp.h"

#include "CardReader.h"
#include "MainDlg.h"
#include "Profile.h"

#include <QCoreApplication>

#include <new>

CMainApp::CMainApp() { g_pCardReader = new (std::nothrow) CCardReader(); }

bool CMainApp::InitInstance() {
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    {
        CMainDlg dlg;
        // corvanta FILE.scp opens that script, as the desktop does for a script file.
        dlg.SetStartScript(QCoreApplication::arguments().value(1));
        dlg.DoModal();
    }
    return false;
}

int CMainApp::ExitInstance() {
    // The context goes with the object; an open connection is released with it.
    delete g_pCardReader;
    g_pCardReader = nullptr;
    return 0;
}
