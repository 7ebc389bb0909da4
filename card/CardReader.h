// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <PCSC/winscard.h>

class CCardReaderHost;

// The process's one link to PC/SC: the context, the readers listed at start-up, the
// chosen reader, and the T=0 connection to the card in it.
class CCardReader {
public:
    CCardReader();
    ~CCardReader();
    CCardReader(const CCardReader&) = delete;
    CCardReader& operator=(const CCardReader&) = delete;

    LONG EstablishContext();
    LONG ListReaders();
    LONG Connect();
    LONG Disconnect();
    LONG Transmit(const BYTE* pCommand, DWORD commandLength, BYTE* pReceive, DWORD* pReceiveLength);
    LONG ReleaseContext();
    LONG FreeReaderList(LPCSTR pReaderList);

    bool IsConnected() const { return m_bConnected; }
    // The readers present at start-up: NUL-terminated names ended by an empty name, or null.
    LPCSTR GetReaderList() const { return m_pszReaderList; }
    void SetReaderName(const std::string& strReaderName) { m_strReaderName = strReaderName; }
    const std::string& GetReaderName() const { return m_strReaderName; }
    void SetMainWindow(CCardReaderHost* pMainWnd) { m_pMainWnd = pMainWnd; }

    // Sends one APDU given as hex text and traces it; returns the SCardTransmit code.
    // The response becomes the card's answer as hex text (data, then the status word), or
    // empty when the transmit failed; the exchange is traced either way.
    LONG Exchange(const std::string& strCommand, std::string& strResponse);
    // The same, with the trace showing strTraced in place of the command: a code the user
    // typed masked stays masked.
    LONG Exchange(const std::string& strCommand, std::string& strResponse, const std::string& strTraced);

    // The names of a reader multi-string, at most maxCount of them.
    static std::vector<std::string> SplitReaderList(LPCSTR pReaderList, std::size_t maxCount);

    // The largest answer a T=0 card can give (256 data bytes and the status word) fits.
    static constexpr DWORD kReceiveBufferSize = 300;

private:
    static bool MeansConnectionGone(LONG code);
    static std::string ResponseText(LONG code, const BYTE* pReceive, DWORD receiveLength);
    LONG ConnectOnce();
    bool ReestablishContext();

    SCARDCONTEXT m_hContext = 0;
    LPSTR m_pszReaderList = nullptr;
    std::string m_strReaderName;
    SCARDHANDLE m_hCard = 0;
    bool m_bConnected = false;
    CCardReaderHost* m_pMainWnd = nullptr;
};

extern CCardReader* g_pCardReader;

// Exchange on the program's one card reader: what the pages hand to their logic. Without a
// reader object the answer is empty and the code SCARD_E_NO_SERVICE.
LONG ExchangeWithCard(const std::string& strCommand, std::string& strResponse);
