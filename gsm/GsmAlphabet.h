// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The GSM 7-bit default alphabet and its extension table (TS 23.038 6.2.1).

// Septets, one a byte (bit 8 ignored), to UTF-8. 1B escapes to the extension table; an
// escape to an unassigned code shows the default character of that code, as the standard
// asks of a phone; a lone 1B at the end shows as a space.
std::string GsmSeptetsToUtf8(std::string_view septets);
// UTF-8 to septets, extension characters as 1B xx. nullopt when a character has no septet
// (or the UTF-8 is malformed).
std::optional<std::string> Utf8ToGsmSeptets(std::string_view utf8);
// Whether every character of the UTF-8 text has a septet.
bool FitsGsmAlphabet(std::string_view utf8);

// Packing (TS 23.038 6.1.2.1): septets in octets, low bits first. fillBits (0-6) bits of
// padding come first, as user data after a header needs to start on a septet boundary.
// UnpackSeptets takes septetCount septets, or as many as the octets hold when fewer.
std::string UnpackSeptets(std::string_view octets, std::size_t septetCount, unsigned fillBits = 0);
std::string PackSeptets(std::string_view septets, unsigned fillBits = 0);
// Octets that septetCount septets after fillBits fill bits take.
std::size_t PackedLength(std::size_t septetCount, unsigned fillBits = 0);
