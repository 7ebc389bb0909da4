// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandIniLocation.h"

#include "Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

CCommandIniLocation::CCommandIniLocation(QString strExeDir, QString strUserDir,
                                         WritableCheck isWritable)
    : m_strExeDir(std::move(strExeDir)),
      m_strUserDir(std::move(strUserDir)),
      m_isWritable(std::move(isWritable)) {}

CCommandIniLocation CCommandIniLocation::ForThisProgram() {
    const QString strConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return CCommandIniLocation(QCoreApplication::applicationDirPath(),
                               strConfig + QLatin1Char('/') + QLatin1String(CProfile::kCompany));
}

QString CCommandIniLocation::BesideExecutable() const {
    return QDir(m_strExeDir).filePath(QLatin1String(kFileName));
}

QString CCommandIniLocation::InUserFolder() const {
    return QDir(m_strUserDir).filePath(QLatin1String(kFileName));
}

QString CCommandIniLocation::ReadPath() const {
    if (m_isWritable(BesideExecutable())) return BesideExecutable();
    return QFile::exists(InUserFolder()) ? InUserFolder() : BesideExecutable();
}

QString CCommandIniLocation::WritePath() const {
    return m_isWritable(BesideExecutable()) ? BesideExecutable() : InUserFolder();
}

QString CCommandIniLocation::PrepareWritePath() const {
    if (m_isWritable(BesideExecutable())) return BesideExecutable();
    const QString strUserFile = InUserFolder();
    if (QFile::exists(strUserFile)) return strUserFile;
    if (!QDir().mkpath(m_strUserDir)) return QString();
    // Start from the presets and capacity of the installed file.
    if (QFile::exists(BesideExecutable())) {
        if (!QFile::copy(BesideExecutable(), strUserFile)) return QString();
        QFile(strUserFile)
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return strUserFile;
}

bool CCommandIniLocation::IsWritableLocation(const QString& strPath) {
    const QFileInfo file(strPath);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) return false;
    return !file.exists() || file.isWritable();
}
