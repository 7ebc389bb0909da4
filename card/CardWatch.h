// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include <PCSC/winscard.h>

// Watches one reader for the card that is in it when the watch begins, on a PC/SC context
// of its own: Run blocks in a thread of its own while the card reader object goes on
// working, and Cancel ends it from any other thread. One watch per object.
class CCardWatch {
public:
    enum class EEnd {
        kCancelled,       // Cancel, or a context that went away under a racing call
        kCardRemoved,     // the card left the reader, or another took its place
        kReaderRemoved,   // the reader itself is gone
        kServiceStopped,  // the PC/SC service went away, and every connection with it
        kFailed,          // PC/SC kept failing otherwise: nothing is known of the card
    };

    explicit CCardWatch(std::string strReaderName);
    CCardWatch(const CCardWatch&) = delete;
    CCardWatch& operator=(const CCardWatch&) = delete;

    // Blocks until the card leaves, the watch is cancelled or PC/SC fails.
    EEnd Run();
    // Safe from any thread. A cancel that comes just before Run starts to wait may find
    // nothing to cancel yet: who needs Run to end calls it again until it has.
    void Cancel();

    // Whether the card watched is gone, from one reader state and the card event count
    // the watch began with; nothing while it is still there.
    static std::optional<EEnd> EndOfState(DWORD eventState, DWORD cardEvents);
    static EEnd EndOfFailure(LONG code);

    // Failures in a row, each on a fresh context, after which the watch gives up.
    static constexpr int kMaxFailures = 3;

private:
    // Establishes the watch's context; an end when there is none to be had.
    std::optional<EEnd> Open();
    void Close();
    EEnd Wait();

    const std::string m_strReaderName;
    std::atomic<bool> m_bCancelled{false};
    std::mutex m_mutex;  // guards the context against a Cancel while it is released
    SCARDCONTEXT m_hContext = 0;
    bool m_bContext = false;
};
