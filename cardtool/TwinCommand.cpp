// SPDX-License-Identifier: GPL-3.0-or-later
#include "TwinCommand.h"

#include "CodesFile.h"
#include "DumpCommandArgs.h"
#include "TwinBuilder.h"

int RunTwinCommand(const QStringList& given, CCardToolIo& io) {
    QStringList arguments = given;
    QString output, codesPath;
    if (!CDumpCommandArgs::TakeOutput(arguments, output, io) ||
        !CDumpCommandArgs::TakeOption(arguments, QStringLiteral("--codes"), codesPath, io))
        return CCardToolIo::kBadInput;
    if (arguments.size() != 1 || output.isEmpty())
        return io.Fail("twin takes one dump and -o FILE, e.g. twin card.json -o card.sim");
    std::map<std::string, std::string> codes;
    std::string error;
    if (!codesPath.isEmpty() && !CCodesFile::Load(codesPath.toStdString(), codes, error))
        return io.Fail(error);
    const std::optional<CCardDump> dump = CDumpCommandArgs::LoadDump(arguments.front(), io);
    if (!dump) return CCardToolIo::kBadInput;
    CTwinBuilder builder(codesPath.isEmpty() ? nullptr : &codes);
    std::string profile;
    if (!builder.Build(*dump, profile, error))
        return io.Fail(arguments.front().toStdString() + ": " + error);
    for (auto& code : codes) std::fill(code.second.begin(), code.second.end(), '\0');
    // The twin holds the codes it was given: as private as the file they came from.
    if (!CDumpCommandArgs::WriteOutput(output, profile, io, !codesPath.isEmpty()))
        return CCardToolIo::kBadInput;
    for (const std::string& note : builder.Notes()) io.Fail(note);
    return CCardToolIo::kSuccess;
}
