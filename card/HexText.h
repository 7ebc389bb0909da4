// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Hex text: every byte as two upper-case digits, high nibble first, no separators.
// The conversions never fail: a character that is not an upper-case hex digit reads as
// a zero nibble, so what the user typed is sent as typed rather than refused.

// Exactly 2 * count upper-case digits.
std::string BytesToHex(const unsigned char* pBytes, std::size_t count);

// Writes (text.size() + 1) / 2 bytes into pOut, pairs cut from the first character.
// The caller sizes pOut; an odd last digit becomes the high nibble of a last byte.
void HexToBytes(std::string_view text, unsigned char* pOut);

// The byte of the first two characters; a missing second character adds nothing.
void HexPairToByte(std::string_view text, unsigned char* pOut);
unsigned char HexPairToByte(std::string_view text);

// The value of a hex digit of either case, -1 for any other character: for the strict
// readers (profiles, file paths, status words) that refuse what is not hex.
int HexDigitValue(char c);

// Number of records of a record file: four-digit file size / two-digit record length,
// truncated to 8 bits. A record length of 00 gives 0 rather than a division fault.
std::uint8_t HexQuotient(std::string_view sizeText, std::string_view divisorText);
