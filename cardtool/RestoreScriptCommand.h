// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card restore-script DUMP -o restore.scp: the script that writes the dump's
// contents back; which rows need which code goes to standard error.
int RunRestoreScriptCommand(const QStringList& arguments, CCardToolIo& io);
