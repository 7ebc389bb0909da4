// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFolders.h"

#include "Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr const char* kSection = "Folders";

const char* Entry(CFileFolders::EKind kind) {
    switch (kind) {
        case CFileFolders::kScripts:
            return "Scripts";
        case CFileFolders::kExports:
            return "Exports";
        case CFileFolders::kTraceLogs:
            return "TraceLogs";
    }
    return "Scripts";
}

}  // namespace

QString CFileFolders::Folder(EKind kind) {
    // Kept as the file system's bytes, so any folder name comes back as it was.
    const std::string bytes = CProfile::GetString(kSection, Entry(kind), std::string());
    const QString strFolder = QFile::decodeName(QByteArray::fromStdString(bytes));
    if (strFolder.isEmpty() || !QFileInfo(strFolder).isDir()) return {};
    return strFolder;
}

void CFileFolders::Remember(EKind kind, const QString& strChosenPath) {
    if (strChosenPath.isEmpty()) return;
    const QString strFolder = QFileInfo(strChosenPath).absolutePath();
    CProfile::WriteString(kSection, Entry(kind), QFile::encodeName(strFolder).toStdString());
}
