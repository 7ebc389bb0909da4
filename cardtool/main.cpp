// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("corvanta-card");
    QCoreApplication::setApplicationVersion(CORVANTA_VERSION);
    return CCardTool(stdout, stderr).Run(QCoreApplication::arguments());
}
