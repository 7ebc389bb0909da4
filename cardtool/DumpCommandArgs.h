// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"
#include "CardToolIo.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// What the twin, restore-script, diff and show commands share: one dump file (ours or a
// pySim fsdump) read with a message naming it, and an output file written whole or not at
// all.
class CDumpCommandArgs {
public:
    static std::optional<CCardDump> LoadDump(const QString& strPath, CCardToolIo& io);
    // Writes through QSaveFile: an interrupted or failed write leaves any old file as it was.
    // A private file (a twin holding the user's codes) is readable by its owner alone.
    static bool WriteOutput(const QString& strPath, const std::string& strText, CCardToolIo& io,
                            bool bPrivate = false);
    // Takes "-o FILE" (or "--output FILE") out of the arguments; false with a message when
    // the option has no value.
    static bool TakeOutput(QStringList& arguments, QString& strOutput, CCardToolIo& io);
    // Takes "--NAME VALUE" out of the arguments; false with a message when it has no value.
    static bool TakeOption(QStringList& arguments, const QString& strName, QString& strValue,
                           CCardToolIo& io);
};
