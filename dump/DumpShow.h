#pragma once

#include "CardDump.h"

#include <string>

// A dump as text for a terminal or a bug report: the ATR, then the tree, each file with its
// header in words and its decoded contents (each record of a record file; empty records,
// all FF, counted rather than shown). UTF-8.
class CDumpShow {
public:
    static std::string Text(const CCardDump& dump);
};
