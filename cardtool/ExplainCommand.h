// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card explain SW: "9F17: 23 bytes of response waiting".
int RunExplainCommand(const QStringList& arguments, CCardToolIo& io);
