// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// UCS2 (big-endian 16-bit units) to UTF-8. Surrogate pairs are joined; a lone surrogate
// shows as U+FFFD; an odd last byte is ignored.
std::string Ucs2ToUtf8(std::string_view bytes);
// UTF-8 to UCS2, big-endian; nullopt for malformed UTF-8 or characters beyond U+FFFF.
std::optional<std::string> Utf8ToUcs2(std::string_view utf8);

// UTF-8 to code points; nullopt when malformed (overlong, surrogates, past U+10FFFF).
std::optional<std::u32string> Utf8ToCodePoints(std::string_view utf8);
// Appends the UTF-8 of a code point (invalid ones as U+FFFD).
void AppendUtf8(std::string& out, char32_t codePoint);
