#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <PCSC/winscard.h>

// A stand-in for pcsc-lite, linked instead of the real library: it records every call and
// answers from a script, so the card layer is tested without a daemon. Reset() per test.
class CFakePcsc {
public:
    struct Answer {
        LONG code = SCARD_S_SUCCESS;
        std::vector<BYTE> bytes;
        // Overrides the receive length handed back (to model a library that reports more
        // than it wrote); negative keeps bytes.size().
        long reportedLength = -1;
        // Writes neither the buffer nor the length, as pcsc-lite does once the service is gone.
        bool bUntouched = false;
    };

    static CFakePcsc& Get();
    void Reset();

    // What the calls answer.
    LONG establishCode = SCARD_S_SUCCESS;
    LONG listCode = SCARD_S_SUCCESS;
    std::string readerMultiString;  // names separated and ended by '\0'
    LONG connectCode = SCARD_S_SUCCESS;
    std::deque<LONG> connectCodes;  // taken first, one per call, when not empty
    LONG disconnectCode = SCARD_S_SUCCESS;
    LONG isValidContextCode = SCARD_S_SUCCESS;
    std::deque<Answer> answers;  // one per SCardTransmit; an empty queue answers 6F00

    // What the calls saw.
    int establishCalls = 0;
    int releaseCalls = 0;
    int freeCalls = 0;
    int connectCalls = 0;
    int disconnectCalls = 0;
    SCARDCONTEXT lastConnectContext = 0;
    std::string lastReaderName;
    DWORD lastShareMode = 0;
    DWORD lastPreferredProtocols = 0;
    DWORD lastDisposition = 0xFFFF;
    SCARDHANDLE lastTransmitHandle = 0;
    const SCARD_IO_REQUEST* lastSendPci = nullptr;
    DWORD lastReceiveCapacity = 0;
    std::vector<std::vector<BYTE>> sent;
    SCARDHANDLE nextHandle = 0x1234;
    SCARDCONTEXT nextContext = 0x77;
    const void* freedPointer = nullptr;
    SCARDCONTEXT lastFreeContext = 0;
};
