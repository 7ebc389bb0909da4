// SPDX-License-Identifier: GPL-3.0-or-later
#include "VpcdLink.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "HexText.h"
#include "SimCard.h"

namespace {

constexpr int RetryMs = 150;
constexpr std::size_t MaxMessage = 0xFFFF;
// How long a frame may pause once it has begun. vpcd writes a frame at once, so a longer
// pause means a broken frame or a lost peer; waiting on would leave both sides waiting for
// each other, so the card drops the connection and connects afresh.
constexpr int FrameTimeoutMs = 1000;

// Whether stopFd or fd (when not -1) became readable first, or neither within the time.
enum class Wake { Stop, Ready, Timeout };

Wake WaitFor(int stopFd, int fd, int timeoutMs) {
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd, POLLIN, 0}};
    int count = fd >= 0 ? 2 : 1;
    while (true) {
        int ready = ::poll(fds, count, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return Wake::Timeout;
        if (fds[0].revents) return Wake::Stop;
        return Wake::Ready;
    }
}

}  // namespace

CVpcdLink::CVpcdLink(CSimCard& card, std::string host, std::uint16_t port,
                     std::vector<std::uint8_t> atr)
    : m_card(card), m_strHost(std::move(host)), m_nPort(port), m_atr(std::move(atr)) {
    m_message.resize(MaxMessage);
    m_outgoing.reserve(MaxMessage + 2);
}

CVpcdLink::~CVpcdLink() {
    Disconnect();
}

void CVpcdLink::Log(const std::string& text) const {
    std::fprintf(stderr, "corvanta-vsim: %s\n", text.c_str());
}

void CVpcdLink::Disconnect() {
    if (m_nSocket >= 0) ::close(m_nSocket);
    m_nSocket = -1;
}

int CVpcdLink::Run(int stopFd) {
    while (true) {
        if (!Connect(stopFd)) return m_bResolveFailed ? 1 : 0;
        Log("connected to vpcd at " + m_strHost + ":" + std::to_string(m_nPort));
        m_card.Reset();
        bool goneAway = Serve(stopFd);
        Disconnect();
        m_card.PowerOff();
        if (!goneAway) return 0;
        Log("lost the connection to vpcd; reconnecting");
    }
}

bool CVpcdLink::Connect(int stopFd) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* pAddresses = nullptr;
    std::string port = std::to_string(m_nPort);
    int result = ::getaddrinfo(m_strHost.c_str(), port.c_str(), &hints, &pAddresses);
    if (result != 0) {
        Log("cannot resolve " + m_strHost + ": " + ::gai_strerror(result));
        m_bResolveFailed = true;
        return false;
    }
    bool waitingLogged = false;
    while (true) {
        for (addrinfo* pAddress = pAddresses; pAddress; pAddress = pAddress->ai_next) {
            int fd = ::socket(pAddress->ai_family, pAddress->ai_socktype | SOCK_CLOEXEC,
                              pAddress->ai_protocol);
            if (fd < 0) continue;
            if (::connect(fd, pAddress->ai_addr, pAddress->ai_addrlen) == 0) {
                // Without NODELAY and QUICKACK every exchange waits for a delayed ACK.
                int one = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                m_nSocket = fd;
                ::freeaddrinfo(pAddresses);
                return true;
            }
            ::close(fd);
        }
        if (m_bVerbose && !waitingLogged) Log("waiting for vpcd on port " + port);
        waitingLogged = true;
        if (WaitFor(stopFd, -1, RetryMs) == Wake::Stop) {
            ::freeaddrinfo(pAddresses);
            return false;
        }
    }
}

CVpcdLink::Read CVpcdLink::ReadExactly(int stopFd, std::uint8_t* pOut, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        int one = 1;
        ::setsockopt(m_nSocket, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
        ssize_t got = ::recv(m_nSocket, pOut + done, count - done, MSG_DONTWAIT);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
            continue;
        }
        if (got == 0) return Read::Lost;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return Read::Lost;
        Wake wake = WaitFor(stopFd, m_nSocket, FrameTimeoutMs);
        if (wake == Wake::Stop) return Read::Stop;
        if (wake == Wake::Timeout) {
            Log("a frame from vpcd stopped short after " + std::to_string(done) + " of " +
                std::to_string(count) + " bytes");
            return Read::Lost;
        }
    }
    return Read::Done;
}

CVpcdLink::Read CVpcdLink::ReadFrame(int stopFd, std::size_t& length) {
    std::uint8_t header[2];
    Read read = ReadExactly(stopFd, header, 2);
    if (read != Read::Done) return read;
    length = static_cast<std::size_t>(header[0]) << 8 | header[1];
    return ReadExactly(stopFd, m_message.data(), length);
}

bool CVpcdLink::Send(const std::uint8_t* pData, std::size_t count) {
    m_outgoing.assign({static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count)});
    m_outgoing.insert(m_outgoing.end(), pData, pData + count);
    std::size_t done = 0;
    while (done < m_outgoing.size()) {
        ssize_t sent =
            ::send(m_nSocket, m_outgoing.data() + done, m_outgoing.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

bool CVpcdLink::Serve(int stopFd) {
    while (true) {
        if (WaitFor(stopFd, m_nSocket, -1) == Wake::Stop) return false;
        std::size_t length = 0;
        Read read = ReadFrame(stopFd, length);
        if (read != Read::Done) return read == Read::Lost;
        Answer(m_message.data(), length);
        if (m_nSocket < 0) return true;
    }
}

bool CVpcdLink::IsControl(const std::uint8_t* pMessage, std::size_t length) {
    if (length != 1) return false;
    return pMessage[0] == PowerOff || pMessage[0] == PowerOn || pMessage[0] == Reset ||
           pMessage[0] == GetAtr;
}

void CVpcdLink::Answer(const std::uint8_t* pMessage, std::size_t length) {
    // Every frame but a control code is a command that pcscd waits to hear answered, even
    // one too short to be an APDU (the card answers 6700 then).
    if (IsControl(pMessage, length)) {
        switch (pMessage[0]) {
            case PowerOff:
                m_card.PowerOff();
                break;
            case PowerOn:
            case Reset:
                m_card.Reset();
                break;
            case GetAtr:
                if (!Send(m_atr.data(), m_atr.size())) Disconnect();
                break;
        }
        if (m_bVerbose) Log("control " + std::to_string(pMessage[0]));
        return;
    }
    const std::vector<std::uint8_t>* pAnswer = &m_card.Process(pMessage, length);
    if (m_misbehaviour.IsActive()) {
        m_rewritten = *pAnswer;
        pAnswer = &m_rewritten;
        if (m_misbehaviour.Apply(pMessage, length, m_rewritten) ==
            CMisbehaviour::Outcome::Silence) {
            // vpcd waits for an answer without a time limit; only a dropped link ends that.
            Log("misbehaving: no answer to " + BytesToHex(pMessage, length) +
                "; dropping the link");
            Disconnect();
            return;
        }
    }
    const std::vector<std::uint8_t>& answer = *pAnswer;
    if (m_bVerbose)
        Log("> " + BytesToHex(pMessage, length) + "  < " +
            BytesToHex(answer.data(), answer.size()));
    // The change is saved before the reader hears 9000, so an answered update is never lost.
    if (m_card.TakeChanged() && m_onChanged) m_onChanged();
    if (!Send(answer.data(), answer.size())) Disconnect();
}
