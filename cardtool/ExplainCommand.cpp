// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplainCommand.h"

#include "StatusWords.h"

int RunExplainCommand(const QStringList& arguments, CCardToolIo& io) {
    if (arguments.size() != 1)
        return io.Fail("explain takes one status word, e.g. explain 9F17 (see --help)");
    const std::string sw = arguments.front().toUpper().toStdString();
    const std::string meaning = ExplainStatusWord(sw);
    if (meaning.empty())
        return io.Fail("'" + arguments.front().toStdString() +
                       "' is not a status word of four hex digits, e.g. 9F17");
    io.PrintLine(sw + ": " + meaning);
    return CCardToolIo::kSuccess;
}
