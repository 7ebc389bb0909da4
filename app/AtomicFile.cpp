// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include <QSaveFile>

bool CAtomicFile::Write(const QString& strPath, const BodyWriter& writeBody, QString* pError) {
    QSaveFile file(strPath);
    // commit() renames the finished file over the target; a failure before it only removes
    // the temporary file. commit() writes out what is still buffered without checking, so
    // the flush comes first: a file cut short must never be renamed into place.
    const bool bSaved =
        file.open(QIODevice::WriteOnly) && writeBody(file) && file.flush() && file.commit();
    if (!bSaved && pError != nullptr) *pError = file.errorString();
    return bSaved;
}

bool CAtomicFile::WriteBytes(const QString& strPath, std::string_view bytes, QString* pError) {
    return Write(
        strPath, [bytes](QIODevice& file) { return WriteAll(file, bytes); }, pError);
}

bool CAtomicFile::WriteAll(QIODevice& file, std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size;
}
