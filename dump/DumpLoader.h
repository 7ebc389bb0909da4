// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <QString>

#include <optional>

// Reads the dump a command is given: one of ours or a pySim fsdump, told apart by what the
// JSON holds, so every command takes both.
class CDumpLoader {
public:
    static std::optional<CCardDump> Load(const QString& strFileName, QString& strError);
};
