#include "MainApp.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

// Constructed before main() runs: the card reader object and its reader list exist
// before any window does.
CMainApp theApp;

namespace {

// For the start-up benchmark (CORVANTA_EXIT_AT_FIRST_PAINT set): the first time the program
// waits for input with a window exposed, that window has been painted; say so and end at
// once, writing nothing to the profile.
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
    if (qEnvironmentVariableIsSet("CORVANTA_EXIT_AT_FIRST_PAINT")) ExitAtFirstPaint();
    theApp.InitInstance();
    return theApp.ExitInstance();
}
