// SPDX-License-Identifier: GPL-3.0-or-later
#include "RestoreScriptCommand.h"

#include "DumpCommandArgs.h"
#include "RestoreScript.h"

int RunRestoreScriptCommand(const QStringList& given, CCardToolIo& io) {
    QStringList arguments = given;
    QString output;
    if (!CDumpCommandArgs::TakeOutput(arguments, output, io)) return CCardToolIo::kBadInput;
    if (arguments.size() != 1 || output.isEmpty())
        return io.Fail(
            "restore-script takes one dump and -o FILE, e.g. restore-script card.json "
            "-o restore.scp");
    const std::optional<CCardDump> dump = CDumpCommandArgs::LoadDump(arguments.front(), io);
    if (!dump) return CCardToolIo::kBadInput;
    const CRestoreScript script(*dump);
    if (!CDumpCommandArgs::WriteOutput(output, script.Text(), io)) return CCardToolIo::kBadInput;
    for (const CRestoreScript::CGroup& group : script.Groups()) {
        const std::string rows = "rows " + std::to_string(group.m_nFirstRow) + " to " +
                                 std::to_string(group.m_nFirstRow + group.m_nRowCount - 1);
        io.Fail(rows + ": " + std::to_string(group.m_nFileCount) + " files that need " +
                (group.m_strCode == "ALW" ? std::string("no code") : group.m_strCode));
    }
    for (const std::string& note : script.Notes()) io.Fail(note);
    return CCardToolIo::kSuccess;
}
