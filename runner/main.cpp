// SPDX-License-Identifier: GPL-3.0-or-later
#include "Runner.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("corvanta-run");
    QCoreApplication::setApplicationVersion(CORVANTA_VERSION);
    return CRunner(stdout, stderr).Run(QCoreApplication::arguments());
}
