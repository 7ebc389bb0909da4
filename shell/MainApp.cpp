#include "MainApp.h"

#include "CardReader.h"
#include "MainDlg.h"
#include "Profile.h"

#include <new>

CMainApp::CMainApp() { g_pCardReader = new (std::nothrow) CCardReader(); }

bool CMainApp::InitInstance() {
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    {
        CMainDlg dlg;
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
