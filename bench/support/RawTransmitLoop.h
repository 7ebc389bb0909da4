// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <PCSC/winscard.h>

#include <string>
#include <vector>

// The floor of every exchange path: SCardTransmit of APDUs in turn, nothing else.
class CRawTransmitLoop {
public:
    // Connects (T=0, shared) to the card in the reader over a context of its own.
    CRawTransmitLoop(const std::string& strReader, const std::vector<std::string>& commands);
    ~CRawTransmitLoop();
    CRawTransmitLoop(const CRawTransmitLoop&) = delete;
    CRawTransmitLoop& operator=(const CRawTransmitLoop&) = delete;

    bool IsConnected() const { return m_hCard != 0; }

    // Sends count APDUs, the commands in turn; the time in seconds. Ends the program
    // when a transmission fails, since the figures would mean nothing.
    double Run(int count) const;

private:
    SCARDCONTEXT m_hContext = 0;
    SCARDHANDLE m_hCard = 0;
    std::vector<std::vector<BYTE>> m_commands;
};
