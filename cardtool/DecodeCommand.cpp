// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecodeCommand.h"

#include "CardArguments.h"
#include "FileDecoders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string JsonText(const CCatalogueEntry& entry, const CDecodedContents& contents) {
    QJsonArray fields;
    for (const CDecodedField& field : contents.Fields()) {
        fields.append(QJsonObject{{"name", Utf8(field.m_strName)},
                                  {"value", Utf8(field.m_strValue)},
                                  {"offset", static_cast<qint64>(field.m_nOffset)},
                                  {"length", static_cast<qint64>(field.m_nLength)}});
    }
    QJsonArray problems;
    for (const std::string& problem : contents.Problems()) problems.append(Utf8(problem));
    const QJsonObject root{
        {"path", Utf8(PathOf(entry))},
        {"file", QString::fromLatin1(entry.m_strShortName.data(),
                                     static_cast<int>(entry.m_strShortName.size()))},
        {"fields", fields},
        {"problems", problems}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::string PlainText(const CCatalogueEntry& entry, const CDecodedContents& contents) {
    std::string text = DescribeFile(entry) + " (" + PathOf(entry) + ")\n";
    for (const std::string& line : contents.Lines()) text += line + "\n";
    return text;
}

}  // namespace

int RunDecodeCommand(const QStringList& arguments, CCardToolIo& io) {
    QStringList positional = arguments;
    const bool json = positional.removeAll(QStringLiteral("--json")) > 0;
    for (const QString& argument : positional) {
        if (argument.startsWith(QLatin1String("--")))
            return io.Fail("unknown option " + argument.toStdString() + " for decode (see --help)");
    }
    if (positional.size() < 2) return io.Fail("decode takes a FILE-ID and HEX bytes (see --help)");
    std::string error;
    const CCatalogueEntry* pEntry = ParseFileId(positional.takeFirst(), error);
    if (!pEntry) return io.Fail(error);
    if (pEntry->m_kind != FileKind::Elementary)
        return io.Fail(PathOf(*pEntry) + " is a directory: decode takes an elementary file");
    std::string bytes;
    if (!ParseHexBytes(positional, bytes, error)) return io.Fail(error);
    const CDecodedContents contents = DecodeFile(*pEntry, bytes);
    io.Print(json ? JsonText(*pEntry, contents) : PlainText(*pEntry, contents));
    return CCardToolIo::kSuccess;
}
