// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"

// A pcscd of the test's own, in a private mount namespace, with one vpcd reader and the
// virtual SIM card plugged into it. Tests never meet a system pcscd or the user's readers.
class CPrivatePcscd {
public:
    struct Options {
        std::string strProfile;    // empty: the shipped default profile
        std::string strStateFile;  // empty: no state kept across card restarts
    };

    CPrivatePcscd();
    explicit CPrivatePcscd(Options options);
    ~CPrivatePcscd();
    CPrivatePcscd(const CPrivatePcscd&) = delete;
    CPrivatePcscd& operator=(const CPrivatePcscd&) = delete;

    // Starts the daemon and the card and waits until the card is present. Sets
    // PCSCLITE_CSOCK_NAME in this process: call before its first PC/SC call.
    bool Start(std::string* pError = nullptr);

    bool StartDaemon(std::string* pError = nullptr);
    bool StopDaemon();
    bool StartCard(std::string* pError = nullptr);
    // SIGKILL pulls the card as a user pulls it from the reader; SIGTERM ends it cleanly.
    // Returns once the reader reports no card.
    bool StopCard(bool bKill = false);
    bool WaitForCard(bool bPresent, int timeoutMs = 10000);
    // Pulls the card and puts one in that starts with these extra options; true once present.
    bool SwapCard(std::vector<std::string> vCardArguments);

    static std::string ReaderName() { return "Corvanta Virtual SIM 00 00"; }
    std::string SocketPath() const { return m_dir.File("ipc/pcscd.comm"); }

    static std::string DefaultProfilePath();

private:
    bool WriteReaderConf(std::string* pError);
    bool WaitForSocket(int timeoutMs);

    Options m_options;
    std::vector<std::string> m_vCardArguments;  // more options for the card, e.g. --misbehave
    CTempDir m_dir{"corvanta-pcscd"};
    int m_nPort = 0;
    pid_t m_daemonPid = -1;
    pid_t m_cardPid = -1;
};
