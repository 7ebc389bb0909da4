// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-pcsc-wait READER TIMEOUT_MS: waits until a card is present in READER of the
// pcscd that PCSCLITE_CSOCK_NAME names (the daemon and reader may still be starting).
// Exit 0 when the card is there, 1 on timeout, 2 on a usage error.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <PCSC/winscard.h>
#include <PCSC/wintypes.h>

namespace {

using Clock = std::chrono::steady_clock;

bool IsCardPresent(SCARDCONTEXT context, const char* reader, DWORD timeoutMs) {
    SCARD_READERSTATE state{};
    state.szReader = reader;
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    LONG result = SCardGetStatusChange(context, 0, &state, 1);
    while (result == SCARD_S_SUCCESS && !(state.dwEventState & SCARD_STATE_PRESENT)) {
        state.dwCurrentState = state.dwEventState & ~SCARD_STATE_CHANGED;
        result = SCardGetStatusChange(context, timeoutMs, &state, 1);
    }
    return result == SCARD_S_SUCCESS && (state.dwEventState & SCARD_STATE_PRESENT);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: corvanta-pcsc-wait READER TIMEOUT_MS\n");
        return 2;
    }
    const char* reader = argv[1];
    long timeoutMs = std::strtol(argv[2], nullptr, 10);
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        // pcscd may not listen yet, and the reader appears only once vpcd is loaded.
        SCARDCONTEXT context = 0;
        if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) ==
            SCARD_S_SUCCESS) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            bool present =
                IsCardPresent(context, reader, static_cast<DWORD>(std::max<long>(1, left.count())));
            SCardReleaseContext(context);
            if (present) return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "corvanta-pcsc-wait: no card in '%s' within %ld ms\n", reader, timeoutMs);
    return 1;
}
