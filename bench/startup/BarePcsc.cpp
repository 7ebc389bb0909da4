// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of a PC/SC program's way to its first APDU: a context, a T=0 connection to the
// reader named on the command line and one SELECT, whose status word it prints.
#include <cstdio>

#include <PCSC/pcsclite.h>
#include <PCSC/winscard.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s READER\n", argv[0]);
        return 2;
    }
    SCARDCONTEXT hContext = 0;
    SCARDHANDLE hCard = 0;
    DWORD protocol = 0;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &hContext) != SCARD_S_SUCCESS ||
        SCardConnect(hContext, argv[1], SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, &hCard, &protocol) !=
            SCARD_S_SUCCESS)
        return 1;
    const BYTE select[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x2F, 0xE2};
    BYTE response[258];
    DWORD length = sizeof response;
    if (SCardTransmit(hCard, SCARD_PCI_T0, select, sizeof select, nullptr, response, &length) !=
            SCARD_S_SUCCESS ||
        length < 2)
        return 1;
    std::printf("%02X%02X\n", response[length - 2], response[length - 1]);
    std::fflush(stdout);
    SCardDisconnect(hCard, SCARD_LEAVE_CARD);
    SCardReleaseContext(hContext);
    return 0;
}
