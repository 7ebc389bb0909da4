// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-card-present: exits 0 and prints the reader's name when some reader of the
// PC/SC service in reach holds a card, 1 otherwise (no service, no reader, no card).
// scripts/run.sh asks it whether the virtual card is needed.

#include <PCSC/winscard.h>

#include <cstdio>
#include <string>
#include <vector>

int main() {
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS) return 1;
    DWORD length = 0;
    std::vector<char> names;
    if (SCardListReaders(context, nullptr, nullptr, &length) == SCARD_S_SUCCESS && length > 0) {
        names.resize(length);
        if (SCardListReaders(context, nullptr, names.data(), &length) != SCARD_S_SUCCESS) names.clear();
    }
    int result = 1;
    for (const char* p = names.data(); !names.empty() && *p != '\0'; p += std::string(p).size() + 1) {
        SCARD_READERSTATE state{};
        state.szReader = p;
        state.dwCurrentState = SCARD_STATE_UNAWARE;
        if (SCardGetStatusChange(context, 0, &state, 1) == SCARD_S_SUCCESS &&
            (state.dwEventState & SCARD_STATE_PRESENT) != 0) {
            std::printf("%s\n", p);
            result = 0;
            break;
        }
    }
    SCardReleaseContext(context);
    return result;
}
