// SPDX-License-Identifier: GPL-3.0-or-later
#include "StrictHex.h"

#include <algorithm>

bool AppendStrictHex(std::string_view text, std::vector<std::uint8_t>& bytes) {
    if (text.size() % 2 != 0) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; }))
        return false;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(
            static_cast<std::uint8_t>(HexDigitValue(text[i]) << 4 | HexDigitValue(text[i + 1])));
    return true;
}
