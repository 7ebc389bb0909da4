// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The number of rows that New and Properties ask for: a whole number from 0 to 999,
// written in decimal digits alone.
class CScriptCount {
public:
    static constexpr int kMax = 999;

    // The count the text gives, or none for an empty text, any other character, or a
    // number beyond kMax.
    static std::optional<int> FromText(std::string_view text);
};
