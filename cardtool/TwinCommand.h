// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card twin DUMP [--codes FILE] -o card.sim: a profile of the virtual card that
// answers like the dumped card. What it took from elsewhere (default codes, the stand-in
// algorithm) goes to standard error.
int RunTwinCommand(const QStringList& arguments, CCardToolIo& io);
