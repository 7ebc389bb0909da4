// SPDX-License-Identifier: GPL-3.0-or-later
// The program as main.cpp starts it, for the start-up benchmark only: the first time it
// waits for input with a window exposed, that window has been painted; it says so and ends
// at once, writing nothing to the profile.
#include "MainApp.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

CMainApp theApp;

namespace {

void ExitAtFirstPaint() {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [] {
                         for (const QWindow* pWindow : QGuiApplication::topLevelWindows()) {
                             if (!pWindow->isExposed()) continue;
                             std::puts("first paint");
                             std::fflush(stdout);
                             std::_Exit(0);
                         }
                     });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ExitAtFirstPaint();
    theApp.InitInstance();
    return theApp.ExitInstance();
}
