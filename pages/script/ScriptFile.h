// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptRows.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// The script file (.scp: one Command per line) and the export log (.log: "command;sw" or
// "command;sw;data" for each row with a status word), byte for byte: CR LF written, LF with
// an optional CR before it read, nothing trimmed, every byte kept.
class CScriptFile {
public:
    // Reads the whole file into lines, or leaves lines untouched and gives the reason.
    static bool Read(const QString& path, std::vector<std::string>& lines, QString* pError);
    // The lines of a file's bytes: a last line without a line end is still a line, an
    // empty line stays an empty line.
    static std::vector<std::string> SplitLines(std::string_view bytes);

    // Every row's Command, empty ones included.
    static bool WriteScript(const QString& path, const CScriptRows& rows, QString* pError);
    // The export line of every row that has a status word.
    static bool WriteExport(const QString& path, const CScriptRows& rows, QString* pError);
    // Appends the row's export line without its line end; false, appending nothing, when
    // the row has no status word and so no line.
    static bool AppendExportLine(const CScriptRows& rows, int row, std::string& out);

    // Replaces the file with the bytes only once all of them are written: a failed write
    // leaves an existing file as it was.
    static bool SaveBytes(const QString& path, std::string_view bytes, QString* pError);

    // The file name without its last extension ("a.b" for a.b.scp), the whole name when
    // it has no point: the name proposed for an export.
    static QString FileTitle(const QString& path);

    static constexpr std::string_view kLineEnd = "\r\n";
};
