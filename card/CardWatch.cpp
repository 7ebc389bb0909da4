// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardWatch.h"

#include <utility>

#include <PCSC/pcsclite.h>

namespace {

// pcsc-lite counts the insertions and removals of a reader's card in the upper word.
DWORD CardEvents(DWORD eventState) {
    return eventState >> 16;
}

}  // namespace

CCardWatch::CCardWatch(std::string strReaderName) : m_strReaderName(std::move(strReaderName)) {}

CCardWatch::EEnd CCardWatch::Run() {
    const EEnd end = Wait();
    Close();
    return end;
}

std::optional<CCardWatch::EEnd> CCardWatch::Open() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bCancelled) return EEnd::kCancelled;
    const LONG code = SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &m_hContext);
    if (code != SCARD_S_SUCCESS) return EndOfFailure(code);
    m_bContext = true;
    return std::nullopt;
}

void CCardWatch::Close() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bContext) SCardReleaseContext(m_hContext);
    m_bContext = false;
}

CCardWatch::EEnd CCardWatch::Wait() {
    if (const std::optional<EEnd> failed = Open()) return *failed;
    SCARD_READERSTATE state{};
    state.szReader = m_strReaderName.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;  // the first answer comes at once
    std::optional<DWORD> cardEvents;
    int nFailures = 0;
    while (!m_bCancelled) {
        const LONG code = SCardGetStatusChange(m_hContext, INFINITE, &state, 1);
        if (code == SCARD_E_TIMEOUT) continue;
        if (code != SCARD_S_SUCCESS) {
            // A failure that names no cause (a service going down answers with such codes
            // too) is asked again on a fresh context, where a stopped service shows as one.
            const EEnd end = EndOfFailure(code);
            if (end != EEnd::kFailed || ++nFailures == kMaxFailures) return end;
            Close();
            if (const std::optional<EEnd> failed = Open()) return *failed;
            state.dwCurrentState = SCARD_STATE_UNAWARE;
            continue;
        }
        nFailures = 0;
        if (!cardEvents) cardEvents = CardEvents(state.dwEventState);
        if (const std::optional<EEnd> end = EndOfState(state.dwEventState, *cardEvents))
            return *end;
        // Told what it knows now, PC/SC answers again only when something changes.
        state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
    }
    return EEnd::kCancelled;
}

void CCardWatch::Cancel() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_bCancelled = true;
    if (m_bContext) SCardCancel(m_hContext);
}

// A card still present, mute or in use by others is the card watched as long as no
// insertion or removal was counted since the watch began.
std::optional<CCardWatch::EEnd> CCardWatch::EndOfState(DWORD eventState, DWORD cardEvents) {
    if ((eventState & SCARD_STATE_UNKNOWN) != 0) return EEnd::kReaderRemoved;
    if ((eventState & SCARD_STATE_EMPTY) != 0 || CardEvents(eventState) != cardEvents)
        return EEnd::kCardRemoved;
    return std::nullopt;
}

CCardWatch::EEnd CCardWatch::EndOfFailure(LONG code) {
    switch (code) {
        case SCARD_E_CANCELLED:
        case SCARD_E_INVALID_HANDLE:
            return EEnd::kCancelled;
        case SCARD_E_UNKNOWN_READER:
        case SCARD_E_READER_UNAVAILABLE:
        case SCARD_E_NO_READERS_AVAILABLE:
            return EEnd::kReaderRemoved;
        case SCARD_E_NO_SERVICE:
        case SCARD_E_SERVICE_STOPPED:
            return EEnd::kServiceStopped;
        default:
            return EEnd::kFailed;
    }
}
