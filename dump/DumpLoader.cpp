// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpLoader.h"

#include "DumpJson.h"
#include "FsdumpJson.h"

#include <QFile>

std::optional<CCardDump> CDumpLoader::Load(const QString& strFileName, QString& strError) {
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        strError = QStringLiteral("%1: could not open (%2)").arg(strFileName, file.errorString());
        return std::nullopt;
    }
    if (file.size() > CDumpJson::kMaximumFileSize) {
        strError = QStringLiteral("%1: not a dump (larger than %2 MiB)")
                       .arg(strFileName)
                       .arg(CDumpJson::kMaximumFileSize / (1024 * 1024));
        return std::nullopt;
    }
    const QByteArray json = file.readAll();
    if (file.error() != QFile::NoError) {
        strError = QStringLiteral("%1: could not read (%2)").arg(strFileName, file.errorString());
        return std::nullopt;
    }
    if (CFsdumpJson::IsFsdump(json)) return CFsdumpJson::FromJson(json, strFileName, strError);
    return CDumpJson::FromJson(json, strFileName, strError);
}
