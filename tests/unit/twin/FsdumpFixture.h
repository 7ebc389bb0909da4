// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"
#include "HexText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

// A dump written as pySim-shell's fsdump writes a GSM SIM: names from "MF" down, lower-case
// hex, records as lists, refusals as "error".
inline QString LowerHex(const CBytes& bytes) {
    return QString::fromStdString(BytesToHex(bytes.data(), bytes.size())).toLower();
}

// The names pySim gives: "MF", "DF.GSM", "EF.IMSI"; files outside the catalogue by id.
inline QJsonArray PathNames(const CCardDump& dump, const CDumpedFile& file) {
    QJsonArray names;
    for (std::string path = file.m_strPath; !path.empty();) {
        const CDumpedFile* pFile = dump.Find(path);
        std::string name = pFile->m_strName.empty() ? pFile->Id() : pFile->m_strName;
        std::replace(name.begin(), name.end(), ' ', '.');
        names.prepend(QString::fromStdString(name));
        path = pFile->ParentPath();
    }
    return names;
}

inline QByteArray FsdumpOf(const CCardDump& dump) {
    QJsonObject files;
    for (const CDumpedFile& file : dump.m_files) {
        QJsonObject entry{{"path", PathNames(dump, file)}, {"fcp_raw", LowerHex(file.m_header)}};
        if (!file.IsRead() && !file.m_strReadStatus.empty()) {
            entry["error"] = QStringLiteral("SW match failed! Expected 9000 and got %1.")
                                 .arg(QString::fromStdString(file.m_strReadStatus).toLower());
        } else if (file.Header() && file.Header()->IsRecordFile()) {
            QJsonArray records;
            for (const CBytes& record : file.m_records) records.append(LowerHex(record));
            entry["body"] = records;
        } else if (file.Header() && !file.Header()->IsDirectory()) {
            entry["body"] = LowerHex(file.m_contents);
        }
        QStringList key;
        for (const QJsonValue& name : entry["path"].toArray()) key << name.toString();
        files[key.join('/')] = entry;
    }
    return QJsonDocument(QJsonObject{{"name", "Fictel test SIM"},
                                     {"atr", LowerHex(dump.m_atr)},
                                     {"files", files}})
        .toJson();
}
