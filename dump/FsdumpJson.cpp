// SPDX-License-Identifier: GPL-3.0-or-later
#include "FsdumpJson.h"

#include "DumpJson.h"
#include "FileCatalogue.h"
#include "HexText.h"
#include "StrictHex.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

struct CBad {
    QString m_strWhat;
};

[[noreturn]] void Bad(const QString& strWhat) {
    throw CBad{strWhat};
}

CBytes Hex(const QJsonValue& value, const QString& strWhat) {
    CBytes bytes;
    if (!value.isString() || !AppendStrictHex(value.toString().toStdString(), bytes))
        Bad(QStringLiteral("%1 is not hex").arg(strWhat));
    return bytes;
}

std::vector<std::string> PathNames(const QJsonValue& value, const QString& strKey) {
    std::vector<std::string> names;
    if (value.isArray()) {
        for (const QJsonValue& name : value.toArray())
            names.push_back(name.toString().toStdString());
    } else {
        for (const QString& name : (value.isString() ? value.toString() : strKey).split('/'))
            names.push_back(name.toStdString());
    }
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    return names;
}

std::string Joined(const std::vector<std::string>& names, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += (i ? "/" : "") + names[i];
    return text;
}

std::string IdText(std::uint16_t id) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(id >> 8),
                                   static_cast<std::uint8_t>(id)};
    return BytesToHex(bytes, 2);
}

// The last four hex digits of a refusal's text ("... got 9804"), else 6F00: the card's word
// is not known.
std::string StatusOfError(const QString& strError) {
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("\\b([69][0-9A-Fa-f]{3})\\b")).globalMatch(strError);
    QString last;
    while (it.hasNext()) last = it.next().captured(1);
    return last.isEmpty() ? std::string("6F00") : last.toUpper().toStdString();
}

struct CEntry {
    std::vector<std::string> m_names;
    CDumpedFile m_file;
};

class CReader {
public:
    CCardDump Read(const QJsonObject& root) {
        CCardDump dump;
        dump.m_strProgram = CFsdumpJson::kProgram;
        dump.m_strReader = root.value("name").toString().toStdString();
        if (root.contains("atr")) dump.m_atr = Hex(root.value("atr"), QStringLiteral("\"atr\""));
        const QJsonValue files = root.value("files");
        if (files.isObject()) {
            const QJsonObject object = files.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) Add(it.value(), it.key());
        } else if (files.isArray()) {
            for (const QJsonValue& file : files.toArray()) Add(file, QString());
        } else {
            Bad(QStringLiteral("\"files\" is neither an object nor a list"));
        }
        for (CEntry& entry : m_entries) {
            entry.m_file.m_strPath = PathOf(entry.m_names);
            if (const CCatalogueEntry* pKnown = FindFileByPath(entry.m_file.m_strPath))
                entry.m_file.m_strName = std::string(pKnown->m_strShortName);
        }
        // Directories before their files, as a dump keeps them.
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const CEntry& a, const CEntry& b) {
            return a.m_names.size() < b.m_names.size();
        });
        for (CEntry& entry : m_entries) dump.m_files.push_back(std::move(entry.m_file));
        return dump;
    }

private:
    void Add(const QJsonValue& value, const QString& strKey) {
        if (!value.isObject()) Bad(QStringLiteral("file %1 is not an object").arg(strKey));
        const QJsonObject object = value.toObject();
        CEntry entry;
        entry.m_names = PathNames(object.value("path"), strKey);
        const QString where = QString::fromStdString(Joined(entry.m_names, entry.m_names.size()));
        if (entry.m_names.empty() || entry.m_names[0] != "MF")
            Bad(QStringLiteral("%1: not under the MF; only a GSM SIM's files are read").arg(where));
        if (!object.contains("fcp_raw")) return;  // nothing the card described
        CDumpedFile& file = entry.m_file;
        file.m_header = Hex(object.value("fcp_raw"), where + QStringLiteral(": \"fcp_raw\""));
        if (!file.m_header.empty() && file.m_header[0] == 0x62)
            Bad(QStringLiteral("%1: a UICC FCP template (62...), not a GSM SIM's GET RESPONSE; "
                               "take the fsdump of the card as a GSM SIM")
                    .arg(where));
        const std::optional<CFileHeader> header = file.Header();
        if (!header) Bad(QStringLiteral("%1: \"fcp_raw\" is not a GSM SIM file header").arg(where));
        m_ids[Joined(entry.m_names, entry.m_names.size())] = header->m_nId;
        const std::uint8_t waiting =
            static_cast<std::uint8_t>(std::min<std::size_t>(file.m_header.size(), 0xFF));
        file.m_strSelectStatus = "9F" + BytesToHex(&waiting, 1);
        file.m_strHeaderStatus = "9000";
        if (!header->IsDirectory()) ReadBody(object, *header, where, file);
        m_entries.push_back(std::move(entry));
    }

    void ReadBody(const QJsonObject& object, const CFileHeader& header, const QString& where,
                  CDumpedFile& file) {
        const QJsonValue body = object.value("body");
        if (body.isUndefined() || body.isNull()) {
            file.m_strReadStatus = StatusOfError(object.value("error").toString());
            return;
        }
        file.m_strReadStatus = "9000";
        if (!header.IsRecordFile()) {
            if (!body.isString())
                Bad(QStringLiteral("%1: a transparent file whose body is not hex").arg(where));
            file.m_contents = Hex(body, where + QStringLiteral(": \"body\""));
            return;
        }
        if (!body.isArray())
            Bad(QStringLiteral("%1: a record file whose body is not a list").arg(where));
        const QJsonArray records = body.toArray();
        for (int i = 0; i < records.size(); ++i)
            file.m_records.push_back(
                Hex(records[i], QStringLiteral("%1: record %2").arg(where).arg(i + 1)));
    }

    // "MF/DF.GSM/EF.IMSI" as ids, each name's id taken from its own entry's header, else the
    // catalogue ("DF.GSM" is DF GSM under its parent), else the name itself when it is an id.
    std::string PathOf(const std::vector<std::string>& names) const {
        std::string path = "3F00";
        std::uint16_t parent = 0x3F00;
        for (std::size_t i = 1; i < names.size(); ++i) {
            auto known = m_ids.find(Joined(names, i + 1));
            std::uint16_t id = 0;
            if (known != m_ids.end()) {
                id = known->second;
            } else if (const CCatalogueEntry* pEntry = FindByName(parent, names[i])) {
                id = pEntry->m_nId;
            } else {
                CBytes bytes;
                if (names[i].size() != 4 || !AppendStrictHex(names[i], bytes))
                    Bad(QStringLiteral("%1: no id known for %2")
                            .arg(QString::fromStdString(Joined(names, names.size())),
                                 QString::fromStdString(names[i])));
                id = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
            }
            path += "\\" + IdText(id);
            parent = id;
        }
        return path;
    }

    static const CCatalogueEntry* FindByName(std::uint16_t parent, std::string name) {
        std::replace(name.begin(), name.end(), '.', ' ');
        for (const CCatalogueEntry* pEntry : ChildrenOf(parent))
            if (pEntry->m_strShortName == name) return pEntry;
        return nullptr;
    }

    std::vector<CEntry> m_entries;
    std::map<std::string, std::uint16_t> m_ids;  // by path of names
};

}  // namespace

bool CFsdumpJson::IsFsdump(const QByteArray& json) {
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    return root.contains("files") && !root.contains("format");
}

std::optional<CCardDump> CFsdumpJson::FromJson(const QByteArray& json, const QString& strFileName,
                                               QString& strError) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        strError = QStringLiteral("%1: not a pySim fsdump (no JSON object)").arg(strFileName);
        return std::nullopt;
    }
    try {
        CCardDump dump = CReader().Read(document.object());
        // Our own reader's limits and checks (sizes, a file twice, a file before its
        // directory) hold for a dump from elsewhere too.
        return CDumpJson::FromJson(CDumpJson::ToJson(dump), strFileName, strError);
    } catch (const CBad& bad) {
        strError = QStringLiteral("%1: %2").arg(strFileName, bad.m_strWhat);
        return std::nullopt;
    }
}
