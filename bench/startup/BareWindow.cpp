// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of a Qt Widgets program's start-up: a QApplication showing one empty window,
// which reports its first paint as corvanta-first-paint does.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    // Waiting for input with the window exposed: the expose has painted it.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [&window] {
                         if (!window.windowHandle()->isExposed()) return;
                         std::puts("first paint");
                         std::fflush(stdout);
                         std::_Exit(0);
                     });
    return QApplication::exec();
}
