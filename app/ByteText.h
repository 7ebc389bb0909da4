// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The program's text is bytes. A QString exists only for display and holds one character
// per byte (Latin-1), so every byte comes back from the screen as it went there.
QString Latin1(std::string_view text);
std::string Bytes(const QString& text);

// The characters of text from pos on, at most count of them; empty beyond the end.
std::string Mid(std::string_view text, std::size_t pos, std::size_t count = std::string::npos);

// Pads with '0' on the left to width; a longer text stays as it is.
std::string PadLeft(std::string_view text, std::size_t width);

// ASCII letters in lower case and every other byte as it is, whatever the locale: the INI
// files, profile keys, hex texts and paths are ASCII by their nature, and an accented
// byte must not match a letter on one machine and not on another.
char LowerAscii(char c);
std::string LowerAscii(std::string_view text);

// Comparisons that ignore the case of ASCII letters, as the sorted lists and the searches
// in them do.
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool LessNoCase(std::string_view a, std::string_view b);

// The first of count texts that begins with prefix, looking from start and wrapping round
// to the top; -1 when none does.
int FindStartingWith(std::size_t count, std::size_t start,
                     const std::function<std::string(std::size_t)>& textAt,
                     std::string_view prefix);

// Where a list of count texts kept in that order takes a new text: after any equal ones.
std::size_t SortedInsertPosition(std::size_t count,
                                 const std::function<std::string(std::size_t)>& textAt,
                                 std::string_view text);
