// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptCount.h"

std::optional<int> CScriptCount::FromText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int nCount = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        nCount = nCount * 10 + (c - '0');
        // Stops before a long run of digits could overflow.
        if (nCount > kMax) return std::nullopt;
    }
    return nCount;
}
