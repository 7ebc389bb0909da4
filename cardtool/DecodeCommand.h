// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardToolIo.h"

#include <QStringList>

// corvanta-card decode [--json] FILE-ID HEX: the fields of one file's contents (or one
// record) as "Name: value" lines after a line naming the file, or as one JSON object.
// Data a decoder finds short or spoiled still exits 0: its problems are part of the output.
int RunDecodeCommand(const QStringList& arguments, CCardToolIo& io);
