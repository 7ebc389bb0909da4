// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardCommands.h"

#include "DecodeCommand.h"
#include "DiffCommand.h"
#include "DumpCommand.h"
#include "ExplainCommand.h"
#include "RestoreScriptCommand.h"
#include "ShowCommand.h"
#include "TwinCommand.h"

// Each command lives in its own source and registers here with one line.
const std::vector<CCardCommand>& CardCommands() {
    static const std::vector<CCardCommand> commands = {
        {"decode", "[--json] FILE-ID HEX", "the fields of one file's contents or one record",
         &RunDecodeCommand},
        {"explain", "SW", "the meaning of a status word", &RunExplainCommand},

        // Whole-card dumps:
        {"dump", "[--reader NAME] [--codes FILE] [--scan RANGE]... [--trace FILE] -o DUMP",
         "reads every file of the card into a dump file", &RunDumpCommand},

        // Twins, restore scripts and differences:
        {"twin", "DUMP [--codes FILE] -o PROFILE",
         "a virtual card profile that answers like the dumped card", &RunTwinCommand},
        {"restore-script", "DUMP -o SCRIPT", "the .scp script that writes the dump's contents back",
         &RunRestoreScriptCommand},
        {"diff", "A B [--codes FILE]",
         "the differences of two dumps (each a file or --reader NAME)", &RunDiffCommand},
        {"show", "DUMP", "the decoded tree of a dump as text", &RunShowCommand},
    };
    return commands;
}

const CCardCommand* FindCardCommand(const QString& name) {
    for (const CCardCommand& command : CardCommands()) {
        if (name == QLatin1String(command.m_pszName)) return &command;
    }
    return nullptr;
}
