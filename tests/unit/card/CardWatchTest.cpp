// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <PCSC/pcsclite.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include "CardWatch.h"
#include "CardWatcher.h"

// The card watch and its thread, against a stand-in for pcsc-lite's status calls that
// answers from a script and, once the script is used up, fails or, for the tests with
// threads, blocks the way a reader with nothing happening does, until a cancel reaches that
// very wait. A cancel that finds no wait is lost, as in pcsc-lite.
namespace {

using Calls = std::vector<std::string>;
using EEnd = CCardWatch::EEnd;

struct SStatus {
    LONG code = SCARD_S_SUCCESS;
    DWORD eventState = 0;
};

constexpr DWORD kPresent = SCARD_STATE_PRESENT | SCARD_STATE_CHANGED;
constexpr DWORD Events(DWORD count) {
    return count << 16;
}

struct SFakeStatus {
    std::mutex mutex;
    std::condition_variable cancelled;
    std::deque<SStatus> script;
    std::deque<LONG> establishCodes;  // one per call while not empty, then success
    bool bBlockWhenDone = false;
    // "Establish 1", "Wait 1 state 20", "Cancel 1", "Release 1"; contexts count from 1.
    Calls calls;
    SCARDCONTEXT lastContext = 0;
    std::set<SCARDCONTEXT> waiting, cancelledWaits;

    void Log(const std::string& call) { calls.push_back(call); }
    Calls TakeCalls() {
        const std::lock_guard<std::mutex> lock(mutex);
        return std::move(calls);
    }
};

SFakeStatus g_status;

void ResetStatus() {
    const std::lock_guard<std::mutex> lock(g_status.mutex);
    g_status.script.clear();
    g_status.establishCodes.clear();
    g_status.bBlockWhenDone = false;
    g_status.calls.clear();
    g_status.lastContext = 0;
}

// Until the fake has seen that call, without running an event loop.
bool WaitForCall(const std::string& call) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        {
            const std::lock_guard<std::mutex> lock(g_status.mutex);
            for (const std::string& logged : g_status.calls)
                if (logged == call) return true;
        }
        std::this_thread::yield();
    }
    return false;
}

std::string Hex(DWORD value) {
    std::ostringstream text;
    text << std::hex << value;
    return text.str();
}

}  // namespace

extern "C" {

LONG SCardEstablishContext(DWORD, LPCVOID, LPCVOID, LPSCARDCONTEXT phContext) {
    const std::lock_guard<std::mutex> lock(g_status.mutex);
    g_status.Log("Establish");
    if (!g_status.establishCodes.empty()) {
        const LONG code = g_status.establishCodes.front();
        g_status.establishCodes.pop_front();
        if (code != SCARD_S_SUCCESS) return code;
    }
    *phContext = ++g_status.lastContext;
    return SCARD_S_SUCCESS;
}

LONG SCardReleaseContext(SCARDCONTEXT hContext) {
    const std::lock_guard<std::mutex> lock(g_status.mutex);
    g_status.Log("Release " + std::to_string(hContext));
    return SCARD_S_SUCCESS;
}

LONG SCardGetStatusChange(SCARDCONTEXT hContext, DWORD, SCARD_READERSTATE* pStates, DWORD) {
    std::unique_lock<std::mutex> lock(g_status.mutex);
    g_status.Log("Wait " + std::to_string(hContext) + " " + pStates->szReader + " state " +
                 Hex(pStates->dwCurrentState));
    if (!g_status.script.empty()) {
        const SStatus status = g_status.script.front();
        g_status.script.pop_front();
        pStates->dwEventState = status.eventState;
        return status.code;
    }
    if (!g_status.bBlockWhenDone) return SCARD_F_UNKNOWN_ERROR;
    g_status.waiting.insert(hContext);
    g_status.cancelled.wait(lock, [hContext] { return g_status.cancelledWaits.count(hContext); });
    g_status.waiting.erase(hContext);
    g_status.cancelledWaits.erase(hContext);
    return SCARD_E_CANCELLED;
}

LONG SCardCancel(SCARDCONTEXT hContext) {
    const std::lock_guard<std::mutex> lock(g_status.mutex);
    if (g_status.waiting.count(hContext) == 0 || g_status.cancelledWaits.count(hContext) != 0)
        return SCARD_S_SUCCESS;
    g_status.Log("Cancel " + std::to_string(hContext));
    g_status.cancelledWaits.insert(hContext);
    g_status.cancelled.notify_all();
    return SCARD_S_SUCCESS;
}

}  // extern "C"

namespace {

// The card watched stays as long as it is present with no insertion or removal counted;
// every state passes back without its change mark, so PC/SC answers only on the next.
TEST(CardWatch, EndsWhenTheCardOrItsReaderGoesOrPcscFails) {
    const DWORD inUse = SCARD_STATE_PRESENT | SCARD_STATE_INUSE;
    const struct {
        std::deque<SStatus> script;
        EEnd end;
        Calls waits;  // the states passed, one per call
    } cases[] = {
        {{{0, kPresent | Events(1)},
          {0, inUse | SCARD_STATE_CHANGED | Events(1)},
          {0, SCARD_STATE_EMPTY | Events(2)}},
         EEnd::kCardRemoved,
         {"0", "10020", "10120"}},
        // Another card was put in between two answers.
        {{{0, kPresent | Events(1)}, {SCARD_E_TIMEOUT, 0}, {0, kPresent | Events(3)}},
         EEnd::kCardRemoved,
         {"0", "10020", "10020"}},
        {{{0, SCARD_STATE_EMPTY | SCARD_STATE_CHANGED}}, EEnd::kCardRemoved, {"0"}},
        {{{0, kPresent | SCARD_STATE_MUTE}, {0, SCARD_STATE_UNKNOWN | SCARD_STATE_CHANGED}},
         EEnd::kReaderRemoved,
         {"0", "220"}},
        {{{SCARD_E_UNKNOWN_READER, 0}}, EEnd::kReaderRemoved, {"0"}},
        {{{0, kPresent}, {SCARD_E_CANCELLED, 0}}, EEnd::kCancelled, {"0", "20"}},
        {{{SCARD_E_INVALID_HANDLE, 0}}, EEnd::kCancelled, {"0"}},
        {{{SCARD_E_NO_SERVICE, 0}}, EEnd::kServiceStopped, {"0"}},
        {{{SCARD_E_SERVICE_STOPPED, 0}}, EEnd::kServiceStopped, {"0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ResetStatus();
        g_status.script = c.script;
        EXPECT_EQ(CCardWatch("Reader A").Run(), c.end);
        Calls expected{"Establish"};
        for (const std::string& state : c.waits)
            expected.push_back("Wait 1 Reader A state " + state);
        expected.push_back("Release 1");
        EXPECT_EQ(g_status.TakeCalls(), expected);
    }
    // A service gone before the watch began: nothing to wait on, nothing to release.
    ResetStatus();
    g_status.establishCodes = {SCARD_E_NO_SERVICE};
    EXPECT_EQ(CCardWatch("Reader A").Run(), EEnd::kServiceStopped);
    EXPECT_EQ(g_status.TakeCalls(), Calls{"Establish"});
}

// A failure that names no cause is asked again on a fresh context, which a stopped service
// refuses; the card's event count carries over. Failing each time, the watch gives up.
TEST(CardWatch, AFailureWithoutACauseIsAskedAgainOnAFreshContext) {
    const SStatus failed{SCARD_F_COMM_ERROR, 0};
    const struct {
        std::deque<SStatus> script;
        std::deque<LONG> establishCodes;
        EEnd end;
        Calls calls;
    } cases[] = {
        {{failed},
         {SCARD_S_SUCCESS, SCARD_E_NO_SERVICE},
         EEnd::kServiceStopped,
         {"Establish", "Wait 1 Reader A state 0", "Release 1", "Establish"}},
        {{{0, kPresent | Events(1)}, failed, {0, kPresent | Events(1)}, {0, kPresent | Events(2)}},
         {},
         EEnd::kCardRemoved,
         {"Establish", "Wait 1 Reader A state 0", "Wait 1 Reader A state 10020", "Release 1",
          "Establish", "Wait 2 Reader A state 0", "Wait 2 Reader A state 10020", "Release 2"}},
        {{failed, failed, failed},
         {},
         EEnd::kFailed,
         {"Establish", "Wait 1 Reader A state 0", "Release 1", "Establish",
          "Wait 2 Reader A state 0", "Release 2", "Establish", "Wait 3 Reader A state 0",
          "Release 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ResetStatus();
        g_status.script = c.script;
        g_status.establishCodes = c.establishCodes;
        EXPECT_EQ(CCardWatch("Reader A").Run(), c.end);
        EXPECT_EQ(g_status.TakeCalls(), c.calls);
    }
}

// Cancelled before it began, the watch never opens a context; while it waits, a cancel
// from another thread ends it.
TEST(CardWatch, CancelEndsTheWatchFromAnotherThread) {
    ResetStatus();
    CCardWatch early("Reader A");
    early.Cancel();
    EXPECT_EQ(early.Run(), EEnd::kCancelled);
    EXPECT_TRUE(g_status.TakeCalls().empty());

    g_status.script = {{0, kPresent}};
    g_status.bBlockWhenDone = true;
    CCardWatch watch("Reader A");
    std::future<EEnd> end = std::async(std::launch::async, [&watch] { return watch.Run(); });
    ASSERT_TRUE(WaitForCall("Wait 1 Reader A state 20"));
    do watch.Cancel();
    while (end.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    EXPECT_EQ(end.get(), EEnd::kCancelled);
    const Calls calls = g_status.TakeCalls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[3], "Cancel 1");
    EXPECT_EQ(calls[4], "Release 1");
}

class CardWatcher : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStatus();
        g_status.bBlockWhenDone = true;
    }

    int m_argc = 0;
    QCoreApplication m_app{m_argc, nullptr};
};

// The card of a watch already stopped left: a watch started since must not take that for
// its own card. Destroyed while it waits, the watcher cancels and joins its thread.
TEST_F(CardWatcher, TheEndOfAStoppedWatchIsNotTakenForTheNext) {
    auto pWatcher = std::make_unique<CCardWatcher>();
    QSignalSpy left(pWatcher.get(), &CCardWatcher::CardLeft);
    g_status.script = {{0, SCARD_STATE_EMPTY | SCARD_STATE_CHANGED}};
    pWatcher->Start("Reader A");
    ASSERT_TRUE(WaitForCall("Release 1"));  // its end is on its way to the event loop
    pWatcher->Start("Reader B");
    ASSERT_TRUE(WaitForCall("Wait 2 Reader B state 0"));
    QCoreApplication::processEvents();
    EXPECT_EQ(left.count(), 0);
    EXPECT_FALSE(pWatcher->IsCardGone());
    EXPECT_TRUE(pWatcher->IsWatching());
    pWatcher.reset();
    EXPECT_TRUE(WaitForCall("Release 2"));
}

}  // namespace
