// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HexText.h"

#include <string>
#include <string_view>

// Bytes from hex text with blanks between groups, as the standards print their examples.
inline std::string Bytes(std::string_view spacedHex) {
    std::string hex;
    for (char c : spacedHex) {
        if (c != ' ') hex += c;
    }
    std::string bytes((hex.size() + 1) / 2, '\0');
    HexToBytes(hex, reinterpret_cast<unsigned char*>(bytes.data()));
    return bytes;
}

inline std::string Hex(std::string_view bytes) {
    return BytesToHex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}
