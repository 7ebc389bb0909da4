#include "FakePcsc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <PCSC/pcsclite.h>

CFakePcsc& CFakePcsc::Get() {
    static CFakePcsc fake;
    return fake;
}

void CFakePcsc::Reset() { *this = CFakePcsc(); }

extern "C" {

const SCARD_IO_REQUEST g_rgSCardT0Pci = {SCARD_PROTOCOL_T0, sizeof(SCARD_IO_REQUEST)};
const SCARD_IO_REQUEST g_rgSCardT1Pci = {SCARD_PROTOCOL_T1, sizeof(SCARD_IO_REQUEST)};
const SCARD_IO_REQUEST g_rgSCardRawPci = {SCARD_PROTOCOL_RAW, sizeof(SCARD_IO_REQUEST)};

LONG SCardEstablishContext(DWORD, LPCVOID, LPCVOID, LPSCARDCONTEXT phContext) {
    CFakePcsc& fake = CFakePcsc::Get();
    ++fake.establishCalls;
    if (fake.establishCode == SCARD_S_SUCCESS) *phContext = fake.nextContext++;
    return fake.establishCode;
}

LONG SCardReleaseContext(SCARDCONTEXT) {
    ++CFakePcsc::Get().releaseCalls;
    return SCARD_S_SUCCESS;
}

LONG SCardIsValidContext(SCARDCONTEXT) { return CFakePcsc::Get().isValidContextCode; }

LONG SCardListReaders(SCARDCONTEXT, LPCSTR, LPSTR mszReaders, LPDWORD pcchReaders) {
    CFakePcsc& fake = CFakePcsc::Get();
    if (fake.listCode != SCARD_S_SUCCESS) return fake.listCode;
    if (*pcchReaders != SCARD_AUTOALLOCATE) return SCARD_E_INVALID_PARAMETER;
    char* pList = static_cast<char*>(std::malloc(fake.readerMultiString.size() + 1));
    std::memcpy(pList, fake.readerMultiString.data(), fake.readerMultiString.size());
    pList[fake.readerMultiString.size()] = '\0';
    *reinterpret_cast<char**>(mszReaders) = pList;
    *pcchReaders = static_cast<DWORD>(fake.readerMultiString.size() + 1);
    return SCARD_S_SUCCESS;
}

LONG SCardFreeMemory(SCARDCONTEXT hContext, LPCVOID pvMem) {
    CFakePcsc& fake = CFakePcsc::Get();
    ++fake.freeCalls;
    fake.freedPointer = pvMem;
    fake.lastFreeContext = hContext;
    std::free(const_cast<void*>(pvMem));
    return SCARD_S_SUCCESS;
}

LONG SCardConnect(SCARDCONTEXT hContext, LPCSTR szReader, DWORD dwShareMode,
                  DWORD dwPreferredProtocols, LPSCARDHANDLE phCard, LPDWORD pdwActiveProtocol) {
    CFakePcsc& fake = CFakePcsc::Get();
    ++fake.connectCalls;
    fake.lastConnectContext = hContext;
    fake.lastReaderName = szReader;
    fake.lastShareMode = dwShareMode;
    fake.lastPreferredProtocols = dwPreferredProtocols;
    LONG code = fake.connectCode;
    if (!fake.connectCodes.empty()) {
        code = fake.connectCodes.front();
        fake.connectCodes.pop_front();
    }
    if (code == SCARD_S_SUCCESS) {
        *phCard = fake.nextHandle;
        *pdwActiveProtocol = SCARD_PROTOCOL_T0;
    }
    return code;
}

LONG SCardDisconnect(SCARDHANDLE, DWORD dwDisposition) {
    CFakePcsc& fake = CFakePcsc::Get();
    ++fake.disconnectCalls;
    fake.lastDisposition = dwDisposition;
    return fake.disconnectCode;
}

LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci, LPCBYTE pbSendBuffer,
                   DWORD cbSendLength, SCARD_IO_REQUEST*, LPBYTE pbRecvBuffer,
                   LPDWORD pcbRecvLength) {
    CFakePcsc& fake = CFakePcsc::Get();
    fake.lastTransmitHandle = hCard;
    fake.lastSendPci = pioSendPci;
    fake.lastReceiveCapacity = *pcbRecvLength;
    fake.sent.emplace_back(pbSendBuffer, pbSendBuffer + cbSendLength);
    CFakePcsc::Answer answer;
    if (fake.answers.empty()) {
        answer.bytes = {0x6F, 0x00};
    } else {
        answer = fake.answers.front();
        fake.answers.pop_front();
    }
    if (answer.bUntouched) return answer.code;
    const std::size_t written = std::min<std::size_t>(answer.bytes.size(), *pcbRecvLength);
    std::copy_n(answer.bytes.begin(), written, pbRecvBuffer);
    *pcbRecvLength = answer.reportedLength >= 0 ? static_cast<DWORD>(answer.reportedLength)
                                                : static_cast<DWORD>(written);
    return answer.code;
}

}  // extern "C"
