// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardWalker.h"

#include <vector>

// The files of the GSM SIM catalogue as the walker looks for them.
class CDumpCatalogue {
public:
    static std::vector<CWalkTarget> Targets();
};
