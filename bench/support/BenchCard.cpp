// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchCard.h"

#include <PCSC/pcsclite.h>

#include <cstdio>
#include <cstdlib>

CBenchCard::CBenchCard(CCardReaderHost& host) {
    std::string error;
    if (!m_pcscd.Start(&error)) {
        std::fprintf(stderr, "could not start the virtual card: %s\n", error.c_str());
        std::exit(1);
    }
    m_pReader = std::make_unique<CCardReader>();
    m_pReader->SetMainWindow(&host);
    m_pReader->SetReaderName(CPrivatePcscd::ReaderName());
    if (m_pReader->Connect() != SCARD_S_SUCCESS) {
        std::fprintf(stderr, "connect failed\n");
        std::exit(1);
    }
}

std::unique_ptr<CRawTransmitLoop> CBenchCard::RawLoop(const std::vector<std::string>& commands) const {
    auto loop = std::make_unique<CRawTransmitLoop>(CPrivatePcscd::ReaderName(), commands);
    if (!loop->IsConnected()) {
        std::fprintf(stderr, "raw connect failed\n");
        std::exit(1);
    }
    return loop;
}
