// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// Sends one APDU as hex text; gives the PC/SC result code (0 = success) and the card's
// answer as hex text. The page logic takes the exchange as this, so that it runs without
// a reader in its tests.
using ExchangeFunction =
    std::function<long(const std::string& strCommand, std::string& strResponse)>;
