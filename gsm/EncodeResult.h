// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The bytes an encoder made, or why it made none (one line for a message box).
struct CEncodeResult {
    std::string m_strBytes;
    std::string m_strError;
    bool Ok() const { return m_strError.empty(); }
    static CEncodeResult Bytes(std::string bytes) { return {std::move(bytes), {}}; }
    static CEncodeResult Error(std::string text) { return {{}, std::move(text)}; }
};
