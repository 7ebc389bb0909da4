// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card diff A B, each side a dump file or --reader NAME (the card in that reader,
// read whole first; --codes FILE gives its codes): exit 0 when they are the same, 1 with
// the differences, 2 for an error.
int RunDiffCommand(const QStringList& arguments, CCardToolIo& io);
