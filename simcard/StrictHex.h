// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HexText.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Hex as the virtual card reads it from its profile, state file and command line: digit
// pairs in either case and nothing else. Unlike the card core's lenient conversion, which
// sends what a user typed as typed, a stray character here is an error that names a line.
// Writing hex goes through the card core's BytesToHex.

// Appends the bytes of text to bytes; false, with bytes untouched, for an odd count or a
// character that is not a hex digit.
bool AppendStrictHex(std::string_view text, std::vector<std::uint8_t>& bytes);
