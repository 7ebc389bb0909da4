// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiffCommand.h"

#include "DumpCommand.h"
#include "DumpCommandArgs.h"
#include "DumpDiff.h"

#include <QTemporaryDir>

namespace {

constexpr int kDifferent = 1;

// A side given as --reader NAME: the card read whole by the dump command into a dump file
// of a private folder, then read back as any dump is.
std::optional<CCardDump> DumpOfReader(const QString& strReader, const QString& strCodes,
                                      CCardToolIo& io) {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        io.Fail("could not make a folder for the card's dump (" +
                folder.errorString().toStdString() + ")");
        return std::nullopt;
    }
    const QString path = folder.filePath(QStringLiteral("card.json"));
    QStringList arguments = {QStringLiteral("--reader"), strReader, QStringLiteral("-o"), path};
    if (!strCodes.isEmpty()) arguments << QStringLiteral("--codes") << strCodes;
    // The dump's own report ("card.json: 42 files, ...") is no difference: standard error.
    CCardToolIo dumpIo(stderr, stderr);
    CDumpCommand dump(dumpIo);
    if (dump.Run(arguments) != CDumpCommand::kSuccess) return std::nullopt;
    return CDumpCommandArgs::LoadDump(path, io);
}

}  // namespace

int RunDiffCommand(const QStringList& given, CCardToolIo& io) {
    QStringList arguments = given;
    QString codes;
    if (!CDumpCommandArgs::TakeOption(arguments, QStringLiteral("--codes"), codes, io))
        return CCardToolIo::kBadInput;
    std::vector<std::optional<CCardDump>> sides;
    while (!arguments.isEmpty() && sides.size() < 3) {
        if (arguments.front() == QLatin1String("--reader")) {
            if (arguments.size() < 2) return io.Fail("--reader needs a reader's name (see --help)");
            sides.push_back(DumpOfReader(arguments.at(1), codes, io));
            arguments.remove(0, 2);
        } else {
            sides.push_back(CDumpCommandArgs::LoadDump(arguments.front(), io));
            arguments.removeFirst();
        }
        if (!sides.back()) return CCardToolIo::kBadInput;
    }
    if (sides.size() != 2 || !arguments.isEmpty())
        return io.Fail(
            "diff takes two sides, each a dump or --reader NAME, e.g. diff a.json b.json");
    const CDumpDiff diff(*sides[0], *sides[1]);
    for (const std::string& line : diff.Lines()) io.PrintLine(line);
    return diff.IsSame() ? CCardToolIo::kSuccess : kDifferent;
}
