// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The selected rows of a list (ascending, no duplicates) and its focused row (-1: none),
// as the row operations of the item list take and return them.
struct SRowSelection {
    std::vector<int> aRows;
    int nFocus = -1;
};
