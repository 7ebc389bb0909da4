// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptFile.h"

#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>

bool CScriptFile::Read(const QString& path, std::vector<std::string>& lines, QString* pError) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (pError != nullptr) *pError = file.errorString();
        return false;
    }
    // Everything is read before the caller's rows change, so a read error part way
    // leaves them as they were.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (pError != nullptr) *pError = file.errorString();
        return false;
    }
    lines = SplitLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

std::vector<std::string> CScriptFile::SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        std::string_view line = bytes.substr(0, lineFeed);
        if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (lineFeed == std::string_view::npos) break;
        bytes.remove_prefix(lineFeed + 1);
    }
    return lines;
}

bool CScriptFile::WriteScript(const QString& path, const CScriptRows& rows, QString* pError) {
    std::string bytes;
    for (int row = 0; row < rows.RowCount(); ++row) {
        bytes.append(rows.Command(row));
        bytes.append(kLineEnd);
    }
    return SaveBytes(path, bytes, pError);
}

bool CScriptFile::WriteExport(const QString& path, const CScriptRows& rows, QString* pError) {
    std::string bytes;
    for (int row = 0; row < rows.RowCount(); ++row) {
        if (AppendExportLine(rows, row, bytes)) bytes.append(kLineEnd);
    }
    return SaveBytes(path, bytes, pError);
}

bool CScriptFile::AppendExportLine(const CScriptRows& rows, int row, std::string& out) {
    const std::string_view statusWord = rows.StatusWord(row);
    if (statusWord.empty()) return false;
    out.append(rows.Command(row));
    out.push_back(';');
    out.append(statusWord);
    const std::string_view dataOut = rows.DataOut(row);
    if (!dataOut.empty()) {
        out.push_back(';');
        out.append(dataOut);
    }
    return true;
}

bool CScriptFile::SaveBytes(const QString& path, std::string_view bytes, QString* pError) {
    return CAtomicFile::WriteBytes(path, bytes, pError);
}

QString CScriptFile::FileTitle(const QString& path) {
    return QFileInfo(path).completeBaseName();
}
