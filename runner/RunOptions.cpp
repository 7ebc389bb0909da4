// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunOptions.h"

#include <QCommandLineParser>

CRunOptions CRunOptions::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Runs every row of a script file against a smart card, as the Script page's\n"
        "Play does from the first row, and prints one line per row sent: row number,\n"
        "command, status word and data.\n"
        "Exit status: 0 success, 1 results differ from --check, 2 usage, file,\n"
        "service or reader error.");
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption readerOption(
        "reader", "Use the reader NAME (default: the first reader that holds a card).", "NAME");
    const QCommandLineOption listOption("list-readers", "List the readers and stop.");
    const QCommandLineOption exportOption(
        "export", "Write the rows with their results to FILE, as the Script page exports.", "FILE");
    const QCommandLineOption traceOption(
        "trace", "Write the trace of every exchange to FILE, as the Trace page saves.", "FILE");
    const QCommandLineOption checkOption(
        "check",
        "Compare the results with the export file GOLDEN ('?' matches any one "
        "character); exit 1 when they differ.",
        "GOLDEN");
    const QCommandLineOption quietOption("quiet", "Print no line per row.");
    const QCommandLineOption explainOption(
        "explain", "End each row's line with the meaning of its status word, after \" # \".");
    parser.addOptions({readerOption, listOption, exportOption, traceOption, checkOption,
                       quietOption, explainOption});
    parser.addPositionalArgument("SCRIPT", "The script file (.scp) to run.");

    CRunOptions options;
    if (!parser.parse(arguments)) {
        options.m_strError = parser.errorText();
        return options;
    }
    if (parser.isSet(helpOption) || parser.isSet("help-all")) {
        options.m_eAction = EAction::Help;
        options.m_strHelp = parser.helpText();
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.m_eAction = EAction::Version;
        return options;
    }
    options.m_strReader = parser.value(readerOption).toLocal8Bit().toStdString();
    options.m_strExport = parser.value(exportOption);
    options.m_strTrace = parser.value(traceOption);
    options.m_strCheck = parser.value(checkOption);
    options.m_bQuiet = parser.isSet(quietOption);
    options.m_bExplain = parser.isSet(explainOption);
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(listOption)) {
        options.m_eAction = EAction::ListReaders;
    } else if (positional.size() != 1) {
        options.m_strError =
            positional.isEmpty() ? "no script file given" : "more than one script file given";
    } else {
        options.m_eAction = EAction::Run;
        options.m_strScript = positional.front();
    }
    return options;
}
