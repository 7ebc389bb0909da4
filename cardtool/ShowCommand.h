// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card show DUMP: the decoded tree as text.
int RunShowCommand(const QStringList& arguments, CCardToolIo& io);
