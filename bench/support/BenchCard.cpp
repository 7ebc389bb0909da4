// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchCard.h"

#include <PCSC/pcsclite.h>

#include <cstdio>
#include <cstdlib>

CBenchCard::CBenchCard(CCardReaderHost& host) {
    std::string error;
    if (!m_pcscd.Start(&error)) Fail("could not start the virtual card: " + error);
    m_pReader = std::make_unique<CCardReader>();
    m_pReader->SetMainWindow(&host);
    m_pReader->SetReaderName(CPrivatePcscd::ReaderName());
    if (m_pReader->Connect() != SCARD_S_SUCCESS) Fail("connect failed");
}

std::unique_ptr<CRawTransmitLoop> CBenchCard::RawLoop(const std::vector<std::string>& commands) {
    auto loop = std::make_unique<CRawTransmitLoop>(CPrivatePcscd::ReaderName(), commands);
    if (!loop->IsConnected()) Fail("raw connect failed");
    return loop;
}

void CBenchCard::Fail(const std::string& strWhy) {
    std::fprintf(stderr, "%s\n", strWhy.c_str());
    // exit() runs no destructors: the daemon and the card would outlive the bench.
    m_pcscd.StopCard();
    m_pcscd.StopDaemon();
    std::exit(1);
}
