// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShowCommand.h"

#include "DumpCommandArgs.h"
#include "DumpShow.h"

int RunShowCommand(const QStringList& arguments, CCardToolIo& io) {
    if (arguments.size() != 1) return io.Fail("show takes one dump, e.g. show card.json");
    const std::optional<CCardDump> dump = CDumpCommandArgs::LoadDump(arguments.front(), io);
    if (!dump) return CCardToolIo::kBadInput;
    io.Print(CDumpShow::Text(*dump));
    return CCardToolIo::kSuccess;
}
