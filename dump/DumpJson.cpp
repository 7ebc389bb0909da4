// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpJson.h"

#include "FileDecoders.h"
#include "FileDescription.h"
#include "FilePath.h"
#include "HexText.h"
#include "StrictHex.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

constexpr std::size_t kMaximumAtr = 33;
constexpr std::size_t kMaximumHeader = 255;
constexpr std::size_t kMaximumContents = 0xFFFF;
constexpr std::size_t kMaximumRecords = 255;
constexpr std::size_t kMaximumRecord = 255;

QString Hex(const CBytes& bytes) {
    return QString::fromLatin1(BytesToHex(bytes.data(), bytes.size()));
}

QString Text(const std::string& text) { return QString::fromUtf8(text); }

QJsonArray Strings(const std::vector<std::string>& texts) {
    QJsonArray array;
    for (const std::string& text : texts) array.append(Text(text));
    return array;
}

// The File page's properties text, one line per element.
QJsonArray DescriptionLines(const CBytes& header) {
    const std::string properties =
        CFileDescription::Decode(BytesToHex(header.data(), header.size())).m_strProperties;
    QJsonArray lines;
    for (const QString& line : QString::fromLatin1(properties).split(QStringLiteral("\r\n")))
        lines.append(line.trimmed());
    return lines;
}

QString AccessName(std::uint8_t nibble) {
    const char digit = "0123456789ABCDEF"[nibble & 0x0F];
    return QString::fromLatin1(CFileDescription::AccessConditionName(std::string(1, digit)));
}

QJsonObject CodeState(const CFileHeader::CCodeState& state) {
    return {{"initialised", state.m_bInitialised}, {"attempts_left", state.m_nAttemptsLeft}};
}

QString TypeName(CFileHeader::Type type) {
    switch (type) {
        case CFileHeader::Type::Mf:
            return QStringLiteral("MF");
        case CFileHeader::Type::Df:
            return QStringLiteral("DF");
        case CFileHeader::Type::Ef:
            break;
    }
    return QStringLiteral("EF");
}

QString StructureName(CFileHeader::Structure structure) {
    switch (structure) {
        case CFileHeader::Structure::LinearFixed:
            return QStringLiteral("linear fixed");
        case CFileHeader::Structure::Cyclic:
            return QStringLiteral("cyclic");
        case CFileHeader::Structure::Transparent:
            break;
    }
    return QStringLiteral("transparent");
}

QJsonObject DirectoryFields(const CFileHeader& h) {
    QJsonObject codes;
    const std::pair<const char*, const std::optional<CFileHeader::CCodeState>*> states[] = {
        {"CHV1", &h.m_chv1},
        {"UNBLOCK CHV1", &h.m_unblockChv1},
        {"CHV2", &h.m_chv2},
        {"UNBLOCK CHV2", &h.m_unblockChv2}};
    for (const auto& [name, state] : states)
        if (*state) codes.insert(QLatin1String(name), CodeState(**state));
    return {{"free_memory", h.m_nSize}, {"dfs", h.m_nDfCount},     {"efs", h.m_nEfCount},
            {"codes_count", h.m_nCodeCount}, {"chv1_disabled", h.m_bChv1Disabled}, {"codes", codes}};
}

QJsonObject ElementaryFields(const CFileHeader& h) {
    QJsonObject fields{{"size", h.m_nSize},
                       {"structure", StructureName(h.m_eStructure)},
                       {"invalidated", h.IsInvalidated()},
                       {"access",
                        QJsonObject{{"read", AccessName(h.ReadAccess())},
                                    {"update", AccessName(h.UpdateAccess())},
                                    {"increase", AccessName(h.IncreaseAccess())},
                                    {"rehabilitate", AccessName(h.RehabilitateAccess())},
                                    {"invalidate", AccessName(h.InvalidateAccess())}}}};
    if (h.IsRecordFile()) {
        fields.insert("record_length", h.m_nRecordLength);
        fields.insert("records", static_cast<int>(h.RecordCount()));
    }
    return fields;
}

QJsonObject HeaderFields(const CFileHeader& h) {
    QJsonObject fields = h.IsDirectory() ? DirectoryFields(h) : ElementaryFields(h);
    fields.insert("type", TypeName(h.m_eType));
    fields.insert("id", QString::fromLatin1(BytesToHex(CBytes{std::uint8_t(h.m_nId >> 8),
                                                             std::uint8_t(h.m_nId & 0xFF)}
                                                           .data(),
                                                       2)));
    return fields;
}

// The catalogue's decoding of one file's contents or one record, when it has a decoder.
std::optional<QJsonObject> Decoded(const std::string& path, const CBytes& bytes) {
    const CCatalogueEntry* entry = FindFileByPath(path);
    if (entry == nullptr || FindFileDecoder(entry->m_nParentId, entry->m_nId) == nullptr)
        return std::nullopt;
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const CDecodedContents contents = DecodeFile(*entry, data);
    QJsonArray fields;
    for (const CDecodedField& field : contents.Fields())
        fields.append(QJsonObject{{"name", Text(field.m_strName)},
                                  {"value", Text(field.m_strValue)},
                                  {"offset", static_cast<int>(field.m_nOffset)},
                                  {"length", static_cast<int>(field.m_nLength)}});
    QJsonObject decoded{{"fields", fields}};
    if (!contents.Problems().empty()) decoded.insert("problems", Strings(contents.Problems()));
    return decoded;
}

void PutIfAny(QJsonObject& object, const char* key, const std::string& text) {
    if (!text.empty()) object.insert(QLatin1String(key), Text(text));
}

QJsonObject FileObject(const CDumpedFile& file) {
    QJsonObject object{{"path", Text(file.m_strPath)}};
    PutIfAny(object, "name", file.m_strName);
    PutIfAny(object, "select_sw", file.m_strSelectStatus);
    PutIfAny(object, "header_sw", file.m_strHeaderStatus);
    if (!file.m_header.empty()) {
        object.insert("header", Hex(file.m_header));
        object.insert("description", DescriptionLines(file.m_header));
        if (const auto header = file.Header()) object.insert("header_fields", HeaderFields(*header));
    }
    PutIfAny(object, "read_sw", file.m_strReadStatus);
    const auto header = file.Header();
    if (header && header->IsRecordFile()) {
        QJsonArray records, decodedRecords;
        for (const CBytes& record : file.m_records) {
            records.append(Hex(record));
            if (const auto decoded = Decoded(file.m_strPath, record)) decodedRecords.append(*decoded);
        }
        object.insert("records", records);
        if (!decodedRecords.isEmpty()) object.insert("decoded_records", decodedRecords);
    } else if (!file.m_contents.empty() || file.IsRead()) {
        object.insert("contents", Hex(file.m_contents));
        if (const auto decoded = Decoded(file.m_strPath, file.m_contents))
            object.insert("decoded", *decoded);
    }
    return object;
}

// --- Reading ------------------------------------------------------------------------------

// Thrown inside the reader only; FromJson turns it into the message.
struct CBadDump {
    QString m_strWhat;
};

[[noreturn]] void Bad(const QString& what) { throw CBadDump{what}; }

QString Where(int index, const std::string& path) {
    return QStringLiteral("file %1%2").arg(index + 1).arg(
        path.empty() ? QString() : QStringLiteral(" (%1)").arg(Text(path)));
}

std::string StringField(const QJsonObject& object, const char* key, const QString& where) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return std::string();
    if (!value.isString()) Bad(QStringLiteral("%1: \"%2\" is not a string").arg(where, key));
    return value.toString().toStdString();
}

CBytes HexField(const QJsonValue& value, std::size_t maximum, const QString& what) {
    if (value.isUndefined()) return CBytes();
    CBytes bytes;
    if (!value.isString() || !AppendStrictHex(value.toString().toStdString(), bytes))
        Bad(QStringLiteral("%1 is not hex").arg(what));
    if (bytes.size() > maximum)
        Bad(QStringLiteral("%1 is longer than %2 bytes").arg(what).arg(maximum));
    return bytes;
}

std::string StatusField(const QJsonObject& object, const char* key, const QString& where) {
    std::string status = StringField(object, key, where);
    CBytes bytes;
    if (!status.empty() && (!AppendStrictHex(status, bytes) || bytes.size() != 2))
        Bad(QStringLiteral("%1: \"%2\" is not a status word").arg(where, key));
    for (char& c : status) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return status;
}

std::string PathField(const QJsonObject& object, const QString& where) {
    std::string path = StringField(object, "path", where);
    for (char& c : path) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    CBytes ids;
    std::string digits = path;
    digits.erase(std::remove(digits.begin(), digits.end(), '\\'), digits.end());
    if (!CFilePath::IsValid(path) || CFilePath::Trim(path) != path ||
        !AppendStrictHex(digits, ids) || path.compare(0, 4, "3F00") != 0)
        Bad(QStringLiteral("%1: \"%2\" is not a file path from 3F00")
                .arg(where, Text(path)));
    return path;
}

std::vector<CBytes> RecordsField(const QJsonObject& object, const QString& where) {
    const QJsonValue value = object.value(QLatin1String("records"));
    std::vector<CBytes> records;
    if (value.isUndefined()) return records;
    if (!value.isArray()) Bad(QStringLiteral("%1: \"records\" is not a list").arg(where));
    const QJsonArray array = value.toArray();
    if (static_cast<std::size_t>(array.size()) > kMaximumRecords)
        Bad(QStringLiteral("%1: more than %2 records").arg(where).arg(kMaximumRecords));
    for (qsizetype i = 0; i < array.size(); ++i)
        records.push_back(HexField(array[i], kMaximumRecord,
                                   QStringLiteral("%1: record %2").arg(where).arg(i + 1)));
    return records;
}

CDumpedFile ReadFile(const QJsonValue& value, int index) {
    if (!value.isObject()) Bad(QStringLiteral("%1 is not an object").arg(Where(index, {})));
    const QJsonObject object = value.toObject();
    CDumpedFile file;
    file.m_strPath = PathField(object, Where(index, {}));
    const QString where = Where(index, file.m_strPath);
    file.m_strName = StringField(object, "name", where);
    file.m_strSelectStatus = StatusField(object, "select_sw", where);
    file.m_strHeaderStatus = StatusField(object, "header_sw", where);
    file.m_strReadStatus = StatusField(object, "read_sw", where);
    file.m_header = HexField(object.value("header"), kMaximumHeader, where + QStringLiteral(": header"));
    file.m_contents =
        HexField(object.value("contents"), kMaximumContents, where + QStringLiteral(": contents"));
    file.m_records = RecordsField(object, where);
    return file;
}

void CheckTree(const std::vector<CDumpedFile>& files) {
    std::set<std::string> paths;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const CDumpedFile& file = files[i];
        const QString where = Where(static_cast<int>(i), file.m_strPath);
        const std::string parent = file.ParentPath();
        if (!parent.empty() && paths.count(parent) == 0)
            Bad(QStringLiteral("%1 comes before its directory %2").arg(where, Text(parent)));
        if (!paths.insert(file.m_strPath).second) Bad(where + QStringLiteral(" is there twice"));
    }
}

CCardDump ReadDump(const QJsonObject& root) {
    if (root.value("format").toString() != QLatin1String(CDumpJson::kFormat))
        Bad(QStringLiteral("not a Corvanta dump (no \"format\": \"%1\")").arg(CDumpJson::kFormat));
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() != version.toInt() || version.toInt() < 1)
        Bad(QStringLiteral("\"version\" is not a format version"));
    if (version.toInt() > CCardDump::kVersion)
        Bad(QStringLiteral("written in format version %1; this program reads up to version %2")
                .arg(version.toInt())
                .arg(CCardDump::kVersion));
    CCardDump dump;
    const QString top = QStringLiteral("the dump");
    dump.m_atr = HexField(root.value("atr"), kMaximumAtr, QStringLiteral("the ATR"));
    dump.m_strReader = StringField(root, "reader", top);
    dump.m_strProgram = StringField(root, "program", top);
    dump.m_strTaken = StringField(root, "taken", top);
    dump.m_bComplete = root.value("complete").toBool(true);
    for (const char* key : {"verified", "notes"}) {
        const QJsonValue list = root.value(QLatin1String(key));
        if (list.isUndefined()) continue;
        if (!list.isArray()) Bad(QStringLiteral("\"%1\" is not a list").arg(key));
        auto& target = std::string(key) == "verified" ? dump.m_verified : dump.m_notes;
        for (const QJsonValue& item : list.toArray()) target.push_back(item.toString().toStdString());
    }
    const QJsonValue files = root.value("files");
    if (!files.isArray()) Bad(QStringLiteral("\"files\" is not a list"));
    const QJsonArray array = files.toArray();
    if (array.size() > CDumpJson::kMaximumFiles)
        Bad(QStringLiteral("more than %1 files").arg(CDumpJson::kMaximumFiles));
    for (qsizetype i = 0; i < array.size(); ++i)
        dump.m_files.push_back(ReadFile(array[i], static_cast<int>(i)));
    CheckTree(dump.m_files);
    return dump;
}

}  // namespace

QByteArray CDumpJson::ToJson(const CCardDump& dump) {
    QJsonArray files;
    for (const CDumpedFile& file : dump.m_files) files.append(FileObject(file));
    const QJsonObject root{{"format", QLatin1String(kFormat)},
                           {"version", CCardDump::kVersion},
                           {"program", Text(dump.m_strProgram)},
                           {"taken", Text(dump.m_strTaken)},
                           {"reader", Text(dump.m_strReader)},
                           {"atr", Hex(dump.m_atr)},
                           {"complete", dump.m_bComplete},
                           {"verified", Strings(dump.m_verified)},
                           {"notes", Strings(dump.m_notes)},
                           {"files", files}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<CCardDump> CDumpJson::FromJson(const QByteArray& json, const QString& strFileName,
                                             QString& strError) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        strError = QStringLiteral("%1: not a Corvanta dump (%2 at byte %3)")
                       .arg(strFileName, parseError.errorString())
                       .arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        strError = QStringLiteral("%1: not a Corvanta dump (no JSON object)").arg(strFileName);
        return std::nullopt;
    }
    try {
        return ReadDump(document.object());
    } catch (const CBadDump& bad) {
        strError = QStringLiteral("%1: %2").arg(strFileName, bad.m_strWhat);
        return std::nullopt;
    }
}

bool CDumpJson::Save(const CCardDump& dump, const QString& strFileName, QString& strError) {
    QSaveFile file(strFileName);
    const QByteArray json = ToJson(dump);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        strError = QStringLiteral("%1: could not write (%2)").arg(strFileName, file.errorString());
        return false;
    }
    return true;
}

std::optional<CCardDump> CDumpJson::Load(const QString& strFileName, QString& strError) {
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        strError = QStringLiteral("%1: could not open (%2)").arg(strFileName, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kMaximumFileSize) {
        strError = QStringLiteral("%1: not a Corvanta dump (larger than %2 MiB)")
                       .arg(strFileName)
                       .arg(kMaximumFileSize / (1024 * 1024));
        return std::nullopt;
    }
    const QByteArray json = file.read(kMaximumFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        strError = QStringLiteral("%1: could not read (%2)").arg(strFileName, file.errorString());
        return std::nullopt;
    }
    return FromJson(json, strFileName, strError);
}
