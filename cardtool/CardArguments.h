// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileCatalogue.h"

#include <QStringList>

#include <string>

// Arguments the corvanta-card commands share. Each gives what it read, or nothing and one
// line saying what is wrong.

// A file of the catalogue by its path from the MF (3F00\7F20\6F07 or 3F00/7F20/6F07), by
// its short name (IMSI, EF SMS) or by its bare id when only one file has it.
const CCatalogueEntry* ParseFileId(const QString& text, std::string& error);
// Bytes from hex digit pairs in either case; blanks between them are allowed, so the
// pairs may come as several arguments.
bool ParseHexBytes(const QStringList& parts, std::string& bytes, std::string& error);
