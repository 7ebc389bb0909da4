// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-card: the exit status and the one line of every bad input, one decode as text
// and as JSON read back, and the programs' shared version.
#include "CardTool.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct CResult {
    int m_nExit = -1;
    std::string m_strOut;
    std::string m_strErr;
};

std::string Contents(std::FILE* pFile, char*& pBuffer, std::size_t& size) {
    // The stream fills buffer and size only when it is closed.
    std::fclose(pFile);
    std::string text(pBuffer, size);
    std::free(pBuffer);
    return text;
}

CResult RunTool(const QStringList& arguments) {
    char* pOut = nullptr;
    char* pErr = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&pOut, &outSize);
    std::FILE* err = open_memstream(&pErr, &errSize);
    CResult result;
    result.m_nExit = CCardTool(out, err).Run(QStringList{"corvanta-card"} + arguments);
    result.m_strOut = Contents(out, pOut, outSize);
    result.m_strErr = Contents(err, pErr, errSize);
    return result;
}

// EF SMS record 6 of the default profile: UCS2 text from an alphanumeric sender.
const char* const kUcs2Message =
    "03 04815505F0 04 0BD0C6F4985E6603 0008 62107090510080 3C 00470072 00FC";

TEST(CardTool, BadInputExitsTwoWithOneLine) {
    const std::pair<QStringList, std::string> cases[] = {
        {{}, "no command given (see --help)"},
        {{"frob"}, "unknown command 'frob' (see --help)"},
        {{"decode", "6FFF", "00"}, "unknown file id 6FFF"},
        {{"decode", "3F00/7F20/6FFF", "00"},
         "unknown file 3F00/7F20/6FFF (a path of ids from 3F00, e.g. 3F00\\7F20\\6F07)"},
        {{"decode", "6F0", "00"},
         "'6F0' is neither a file id of four hex digits, a path such as 3F00\\7F20\\6F07 nor a "
         "file name such as IMSI"},
        {{"decode", "7F20", "00"}, "3F00\\7F20 is a directory: decode takes an elementary file"},
        {{"decode", "6F07", "080"}, "odd number of hex digits (3): bytes are digit pairs"},
        {{"decode", "6F07", "08 0G"}, "'G' is not a hex digit"},
        {{"decode", "6F07"}, "decode takes a FILE-ID and HEX bytes (see --help)"},
        {{"decode", "--xml", "6F07", "00"}, "unknown option --xml for decode (see --help)"},
        {{"explain", "9F1"}, "'9F1' is not a status word of four hex digits, e.g. 9F17"},
        {{"explain"}, "explain takes one status word, e.g. explain 9F17 (see --help)"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CResult result = RunTool(arguments);
        EXPECT_EQ(result.m_nExit, 2);
        EXPECT_EQ(result.m_strErr, "corvanta-card: " + message + "\n");
        EXPECT_EQ(result.m_strOut, "");
    }
}

TEST(CardTool, DecodeAsTextByPathOrBareId) {
    const std::string expected =
        "EF IMSI: International Mobile Subscriber Identity (3F00\\7F20\\6F07)\n"
        "Length: 8 bytes\nIMSI: 001010123456789\nMCC: 001\n";
    for (const char* id : {"3F00\\7F20\\6F07", "3f00/7f20/6f07", "6F07", "imsi"}) {
        SCOPED_TRACE(id);
        const CResult result = RunTool({"decode", id, "08 09 10 10 10 32 54 76 98"});
        EXPECT_EQ(result.m_nExit, 0) << result.m_strErr;
        EXPECT_EQ(result.m_strOut, expected);
    }
    const CResult explained = RunTool({"explain", "9f17"});
    EXPECT_EQ(explained.m_strOut, "9F17: 23 bytes of response waiting\n");
}

TEST(CardTool, DecodeAsJsonReadsBack) {
    const CResult result = RunTool({"decode", "--json", "6F3C", kUcs2Message});
    ASSERT_EQ(result.m_nExit, 0) << result.m_strErr;
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.m_strOut), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = document.object();
    EXPECT_EQ(root["path"].toString(), "3F00\\7F10\\6F3C");
    EXPECT_EQ(root["file"].toString(), "EF SMS");
    QString text, sender;
    qint64 textOffset = -1;
    for (const QJsonValue field : root["fields"].toArray()) {
        const QJsonObject object = field.toObject();
        if (object["name"] == "Originating address") sender = object["value"].toString();
        if (object["name"] == "Text") {
            text = object["value"].toString();
            textOffset = object["offset"].toInteger();
        }
    }
    EXPECT_EQ(sender, "Fictel (alphanumeric)");
    EXPECT_EQ(text, QString::fromUtf8("Grü"));  // the hex stops inside the text
    EXPECT_EQ(textOffset, 25);
    ASSERT_EQ(root["problems"].toArray().size(), 1);
}

TEST(CardTool, HelpListsEveryCommandAndVersionMatchesTheRunner) {
    const CResult help = RunTool({"--help"});
    EXPECT_EQ(help.m_nExit, 0);
    for (const char* line : {"  decode [--json] FILE-ID HEX", "  explain SW"})
        EXPECT_NE(help.m_strOut.find(line), std::string::npos) << line;

    int argc = 1;
    char name[] = "card_tool_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    auto versionOf = [](const char* program) {
        QProcess process;
        process.start(program, {"--version"});
        EXPECT_TRUE(process.waitForFinished(30000)) << program;
        const QString line = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        return line.section(' ', 1);
    };
    const QString card = versionOf(CORVANTA_CARD_PATH);
    EXPECT_FALSE(card.isEmpty());
    EXPECT_EQ(card, versionOf(CORVANTA_RUN_PATH));
}

}  // namespace
