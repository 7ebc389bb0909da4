// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainApp.h"

#include <QApplication>

// Constructed before main() runs: the card reader object and its reader list exist
// before any window does.
CMainApp theApp;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    theApp.InitInstance();
    return theApp.ExitInstance();
}
