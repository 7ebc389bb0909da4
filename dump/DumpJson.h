// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The dump file: JSON, described in docs/dump-format.md. Writing goes through QSaveFile, so
// a failed or interrupted save leaves any file already there as it was. Reading takes only
// the bytes (headers, contents, records, status words); the decoded parts of the file are
// for people and other programs and are made again from the bytes.
class CDumpJson {
public:
    static constexpr const char* kFormat = "corvanta-dump";
    static constexpr qint64 kMaximumFileSize = 64 * 1024 * 1024;
    static constexpr int kMaximumFiles = 4096;

    static QByteArray ToJson(const CCardDump& dump);
    // Nothing, with a message naming the file, for anything that is not one of our dumps:
    // not JSON, another format, a newer version, a bad path, hex or status word, a record
    // or content longer than a card can hold, a file whose directory is missing.
    static std::optional<CCardDump> FromJson(const QByteArray& json, const QString& strFileName,
                                             QString& strError);

    static bool Save(const CCardDump& dump, const QString& strFileName, QString& strError);
    static std::optional<CCardDump> Load(const QString& strFileName, QString& strError);
};
