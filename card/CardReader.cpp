// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <PCSC/pcsclite.h>

#include "CardReaderHost.h"
#include "HexText.h"

CCardReader* g_pCardReader = nullptr;

CCardReader::CCardReader() {
    EstablishContext();
    if (ListReaders() != SCARD_S_SUCCESS) m_pszReaderList = nullptr;
}

CCardReader::~CCardReader() {
    if (m_pszReaderList != nullptr) FreeReaderList(m_pszReaderList);
    ReleaseContext();
}

LONG CCardReader::EstablishContext() {
    return SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &m_hContext);
}

LONG CCardReader::ListReaders() {
    DWORD length = SCARD_AUTOALLOCATE;
    return SCardListReaders(m_hContext, nullptr, reinterpret_cast<LPSTR>(&m_pszReaderList), &length);
}

LONG CCardReader::ConnectOnce() {
    DWORD activeProtocol = 0;
    return SCardConnect(m_hContext, m_strReaderName.c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0,
                        &m_hCard, &activeProtocol);
}

// A context dies with the service that issued it. A fresh one lets the user connect again
// after the service restarted, without restarting the program; the reader list stays the
// one taken at start-up.
bool CCardReader::ReestablishContext() {
    SCardReleaseContext(m_hContext);
    m_hContext = 0;
    return EstablishContext() == SCARD_S_SUCCESS;
}

LONG CCardReader::Connect() {
    LONG code = ConnectOnce();
    if ((code == SCARD_E_NO_SERVICE || code == SCARD_E_INVALID_HANDLE ||
         code == SCARD_E_SERVICE_STOPPED) &&
        ReestablishContext())
        code = ConnectOnce();
    if (code == SCARD_S_SUCCESS) {
        m_bConnected = true;
        return code;
    }
    if (m_pMainWnd != nullptr) m_pMainWnd->ShowCardError();
    return code;
}

// Disconnect failures that mean there is no connection left to end.
bool CCardReader::MeansConnectionGone(LONG code) {
    switch (code) {
        case SCARD_E_INVALID_HANDLE:
        case SCARD_E_NO_SERVICE:
        case SCARD_E_SERVICE_STOPPED:
        case SCARD_E_READER_UNAVAILABLE:
        case SCARD_W_REMOVED_CARD:
        case SCARD_E_NO_SMARTCARD:
            return true;
        default:
            return false;
    }
}

LONG CCardReader::Disconnect() {
    const LONG code = SCardDisconnect(m_hCard, SCARD_LEAVE_CARD);
    if (code == SCARD_S_SUCCESS || MeansConnectionGone(code)) {
        m_bConnected = false;
        m_hCard = 0;
    }
    return code;
}

LONG CCardReader::Transmit(const BYTE* pCommand, DWORD commandLength, BYTE* pReceive,
                           DWORD* pReceiveLength) {
    return SCardTransmit(m_hCard, SCARD_PCI_T0, pCommand, commandLength, nullptr, pReceive,
                         pReceiveLength);
}

LONG CCardReader::ReleaseContext() { return SCardReleaseContext(m_hContext); }

LONG CCardReader::FreeReaderList(LPCSTR pReaderList) {
    return SCardFreeMemory(m_hContext, pReaderList);
}

LONG CCardReader::Exchange(const std::string& strCommand, std::string& strResponse) {
    return Exchange(strCommand, strResponse, strCommand);
}

LONG CCardReader::Exchange(const std::string& strCommand, std::string& strResponse,
                           const std::string& strTraced) {
    // Sized to the command, so no command is cut and none overruns the buffer: PC/SC and
    // the card decide what a long one gets. Typical APDUs stay on the stack.
    const std::size_t bufferSize = (strCommand.size() + 1) / 2;
    std::array<BYTE, kReceiveBufferSize> smallCommand;
    std::vector<BYTE> largeCommand;
    BYTE* pCommand = smallCommand.data();
    if (bufferSize > smallCommand.size()) {
        largeCommand.resize(bufferSize);
        pCommand = largeCommand.data();
    }
    HexToBytes(strCommand, pCommand);
    const DWORD commandLength = static_cast<DWORD>(strCommand.size() / 2);

    // Zeroed, so a library that reports more than it wrote shows zeros, never old stack.
    std::array<BYTE, kReceiveBufferSize> receive{};
    DWORD receiveLength = kReceiveBufferSize;
    const LONG code = Transmit(pCommand, commandLength, receive.data(), &receiveLength);

    strResponse = ResponseText(code, receive.data(), receiveLength);
    if (m_pMainWnd != nullptr) m_pMainWnd->AppendRecord(strTraced, strResponse);
    return code;
}

// A failed transmit may leave the buffer unwritten and the length as it went in (pcsc-lite
// does when the service is gone), so it has no answer at all: an empty text that the pages
// show as no data and a bare status word, rather than anything to show, store or send back.
std::string CCardReader::ResponseText(LONG code, const BYTE* pReceive, DWORD receiveLength) {
    if (code != SCARD_S_SUCCESS) return std::string();
    return BytesToHex(pReceive, std::min<DWORD>(receiveLength, kReceiveBufferSize));
}

LONG ExchangeWithCard(const std::string& strCommand, std::string& strResponse) {
    if (g_pCardReader == nullptr) {
        strResponse.clear();
        return SCARD_E_NO_SERVICE;
    }
    return g_pCardReader->Exchange(strCommand, strResponse);
}

std::vector<std::string> CCardReader::SplitReaderList(LPCSTR pReaderList, std::size_t maxCount) {
    std::vector<std::string> names;
    if (pReaderList == nullptr) return names;
    for (LPCSTR p = pReaderList; *p != '\0' && names.size() < maxCount; p += std::strlen(p) + 1)
        names.emplace_back(p);
    return names;
}
