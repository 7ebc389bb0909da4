// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Misbehaviour.h"

class CSimCard;

// The card's side of the vpcd driver: a TCP client that connects to the reader, answers
// its messages (2-byte big-endian length, then the bytes; a single byte 00, 01, 02 or 04
// is a control code, anything else a command APDU) and reconnects whenever the reader
// goes away or a frame stops short.
class CVpcdLink {
public:
    enum Control : std::uint8_t { PowerOff = 0, PowerOn = 1, Reset = 2, GetAtr = 4 };

    CVpcdLink(CSimCard& card, std::string host, std::uint16_t port, std::vector<std::uint8_t> atr);
    ~CVpcdLink();
    CVpcdLink(const CVpcdLink&) = delete;
    CVpcdLink& operator=(const CVpcdLink&) = delete;

    void SetVerbose(bool verbose) { m_bVerbose = verbose; }
    // Called after a command that changed lasting content (to save the state).
    void SetOnChanged(std::function<void()> onChanged) { m_onChanged = std::move(onChanged); }
    // The test mode that rewrites some answers (none by default).
    void SetMisbehaviour(const CMisbehaviour& misbehaviour) { m_misbehaviour = misbehaviour; }

    // Serves until stopFd becomes readable (the signal handler writes to it). Returns 0, or
    // 1 when the host cannot be resolved.
    int Run(int stopFd);

private:
    // Connects, retrying every RetryMs until vpcd listens; false when asked to stop.
    bool Connect(int stopFd);
    // Serves one connection; false when asked to stop, true when vpcd went away.
    bool Serve(int stopFd);
    enum class Read { Done, Lost, Stop };
    // Lost when vpcd closes the connection or stalls inside a frame.
    Read ReadExactly(int stopFd, std::uint8_t* pOut, std::size_t count);
    Read ReadFrame(int stopFd, std::size_t& length);
    bool Send(const std::uint8_t* pData, std::size_t count);
    static bool IsControl(const std::uint8_t* pMessage, std::size_t length);
    void Answer(const std::uint8_t* pMessage, std::size_t length);
    void Disconnect();
    void Log(const std::string& text) const;

    CSimCard& m_card;
    std::string m_strHost;
    std::uint16_t m_nPort;
    std::vector<std::uint8_t> m_atr;
    bool m_bVerbose = false;
    bool m_bResolveFailed = false;
    std::function<void()> m_onChanged;
    CMisbehaviour m_misbehaviour;
    std::vector<std::uint8_t> m_rewritten;
    int m_nSocket = -1;
    std::vector<std::uint8_t> m_message;
    std::vector<std::uint8_t> m_outgoing;
};
