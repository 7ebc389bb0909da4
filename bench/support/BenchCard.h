// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardReader.h"
#include "PrivatePcscd.h"
#include "RawTransmitLoop.h"

#include <memory>
#include <string>
#include <vector>

class CCardReaderHost;

// The default virtual card on a private pcscd, connected as the program connects, its
// exchanges reported to host. Ends the program when the card cannot be started or reached,
// since the figures would mean nothing.
class CBenchCard {
public:
    explicit CBenchCard(CCardReaderHost& host);

    CCardReader& Reader() { return *m_pReader; }
    // The floor to measure against: these commands by raw SCardTransmit on the same card.
    std::unique_ptr<CRawTransmitLoop> RawLoop(const std::vector<std::string>& commands);

private:
    [[noreturn]] void Fail(const std::string& strWhy);

    CPrivatePcscd m_pcscd;
    std::unique_ptr<CCardReader> m_pReader;  // made once the daemon runs: its context is the daemon's
};
