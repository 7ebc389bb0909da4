// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpCommandArgs.h"

#include "DumpLoader.h"

#include <QSaveFile>

std::optional<CCardDump> CDumpCommandArgs::LoadDump(const QString& strPath, CCardToolIo& io) {
    QString error;
    std::optional<CCardDump> dump = CDumpLoader::Load(strPath, error);
    if (!dump) io.Fail(error.toStdString());
    return dump;
}

bool CDumpCommandArgs::WriteOutput(const QString& strPath, const std::string& strText,
                                   CCardToolIo& io, bool bPrivate) {
    QSaveFile file(strPath);
    const bool bOpened = file.open(QIODevice::WriteOnly);
    if (bOpened && bPrivate) file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!bOpened ||
        file.write(strText.data(), static_cast<qint64>(strText.size())) !=
            static_cast<qint64>(strText.size()) ||
        !file.commit()) {
        io.Fail(strPath.toStdString() + ": could not write (" + file.errorString().toStdString() +
                ")");
        return false;
    }
    return true;
}

bool CDumpCommandArgs::TakeOption(QStringList& arguments, const QString& strName, QString& strValue,
                                  CCardToolIo& io) {
    const int at = arguments.indexOf(strName);
    if (at < 0) return true;
    if (at + 1 >= arguments.size()) {
        io.Fail(strName.toStdString() + " needs a value (see --help)");
        return false;
    }
    strValue = arguments.at(at + 1);
    arguments.remove(at, 2);
    return true;
}

bool CDumpCommandArgs::TakeOutput(QStringList& arguments, QString& strOutput, CCardToolIo& io) {
    return TakeOption(arguments, QStringLiteral("-o"), strOutput, io) &&
           TakeOption(arguments, QStringLiteral("--output"), strOutput, io);
}
