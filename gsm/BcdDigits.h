// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Dialling digits in BCD, low nibble first (TS 51.011 10.5.1): 0-9, A '*', B '#',
// C 'P' (DTMF control digit separator, a pause), D '?' (wild value), E 'E' (expansion);
// F is filler and ends the digits.
std::string DecodeBcdDigits(std::string_view bytes);
// The digits of DecodeBcdDigits back into bytes, an odd count padded with F ('p' and 'e'
// are read as 'P' and 'E'). nullopt for any other character.
std::optional<std::string> EncodeBcdDigits(std::string_view digits);

// Plain decimal BCD, low nibble first, every nibble shown (ICCID, IMSI): 0-9 as digits,
// A-E as upper-case hex letters, F filler ends the digits.
std::string DecodeSwappedBcd(std::string_view bytes);
// Digit value of a BCD character of DecodeBcdDigits, -1 when there is none.
int BcdNibbleOf(char digit);
