// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawTransmitLoop.h"

#include "HexText.h"

#include <PCSC/pcsclite.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

CRawTransmitLoop::CRawTransmitLoop(const std::string& strReader,
                                   const std::vector<std::string>& commands) {
    DWORD protocol = 0;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &m_hContext) != SCARD_S_SUCCESS ||
        SCardConnect(m_hContext, strReader.c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, &m_hCard,
                     &protocol) != SCARD_S_SUCCESS)
        m_hCard = 0;
    for (const std::string& text : commands) {
        m_commands.emplace_back(text.size() / 2);
        HexToBytes(text, m_commands.back().data());
    }
}

CRawTransmitLoop::~CRawTransmitLoop() {
    if (m_hCard != 0) SCardDisconnect(m_hCard, SCARD_LEAVE_CARD);
    if (m_hContext != 0) SCardReleaseContext(m_hContext);
}

double CRawTransmitLoop::Run(int count) const {
    BYTE receive[300];
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        const std::vector<BYTE>& command =
            m_commands[static_cast<std::size_t>(i) % m_commands.size()];
        DWORD length = sizeof receive;
        if (SCardTransmit(m_hCard, SCARD_PCI_T0, command.data(), static_cast<DWORD>(command.size()),
                          nullptr, receive, &length) != SCARD_S_SUCCESS) {
            std::fprintf(stderr, "raw transmit failed\n");
            std::exit(1);
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
