// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpLocation.h"

#include <QDir>
#include <QFileInfo>

QString CHelpLocation::Find(const QString& strProgramFolder) {
    const QDir folder(strProgramFolder);
    const QString candidates[] = {
        folder.filePath(QStringLiteral("Corvanta Pro.chm")),
        folder.filePath(QStringLiteral("manual/index.html")),
        folder.filePath(QStringLiteral("../share/doc/corvanta/manual/index.html")),
    };
    for (const QString& strPath : candidates) {
        if (QFileInfo(strPath).isFile()) return QDir::cleanPath(strPath);
    }
    return QString();
}
