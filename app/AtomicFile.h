// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string_view>

class QIODevice;

// A file written aside and put in place only when it is complete, so that a failed write
// (a full disk, a vanished folder) leaves the file that was there whole.
class CAtomicFile {
public:
    // Writes the body into the new file; false as soon as a write fails.
    using BodyWriter = std::function<bool(QIODevice& file)>;

    // False with the reason in *pError (when given) if anything failed.
    static bool Write(const QString& strPath, const BodyWriter& writeBody,
                      QString* pError = nullptr);
    static bool WriteBytes(const QString& strPath, std::string_view bytes,
                           QString* pError = nullptr);
    // True when every byte was taken.
    static bool WriteAll(QIODevice& file, std::string_view bytes);
};
