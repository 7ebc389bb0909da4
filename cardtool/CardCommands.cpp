#include "CardCommands.h"

#include "DecodeCommand.h"
#include "DumpCommand.h"
#include "ExplainCommand.h"

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

    };
    return commands;
}

const CCardCommand* FindCardCommand(const QString& name) {
    for (const CCardCommand& command : CardCommands()) {
        if (name == QLatin1String(command.m_pszName)) return &command;
    }
    return nullptr;
}
