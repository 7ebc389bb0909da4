// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <cstdint>
#include <string>

// A dump as text for a terminal or a bug report: the ATR, then the tree, each file with its
// header in words and its decoded contents (each record of a record file; empty records,
// all FF, counted rather than shown). UTF-8.
class CDumpShow {
public:
    static std::string Text(const CCardDump& dump);
    // An access condition nibble by the File page's name for it (ALW, CHV1, ADM0, NEV).
    static std::string AccessName(std::uint8_t nibble);
};
