#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "SimCardFixture.h"

// The reader's side: listens on a loopback port and speaks the vpcd framing.
class CFakeReader {
public:
    explicit CFakeReader(std::uint16_t port = 0) {
        m_nListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        ::setsockopt(m_nListen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        m_bListening =
            ::bind(m_nListen, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(m_nListen, 1) == 0;
        socklen_t length = sizeof address;
        ::getsockname(m_nListen, reinterpret_cast<sockaddr*>(&address), &length);
        m_nPort = ntohs(address.sin_port);
    }
    ~CFakeReader() {
        Drop();
        ::close(m_nListen);
    }
    bool IsListening() const { return m_bListening; }
    std::uint16_t GetPort() const { return m_nPort; }
    bool Accept() {
        timeval timeout{5, 0};
        ::setsockopt(m_nListen, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        m_nConnection = ::accept(m_nListen, nullptr, nullptr);
        ::setsockopt(m_nConnection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        return m_nConnection >= 0;
    }
    void Drop() {
        if (m_nConnection >= 0) ::close(m_nConnection);
        m_nConnection = -1;
    }
    // Bytes as they are, framing included.
    bool SendRaw(const std::string& hex) {
        const std::vector<std::uint8_t> bytes = FromHex(hex);
        return ::send(m_nConnection, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // True once the card has closed the connection (within the receive timeout).
    bool IsClosedByCard() {
        std::uint8_t byte;
        return ::recv(m_nConnection, &byte, 1, 0) == 0;
    }
    // Sends one message and, unless it is a power or reset code, returns the answer in hex.
    std::string Exchange(const std::string& hex, bool expectAnswer = true) {
        const std::size_t length = Compact(hex).size() / 2;
        const std::uint8_t header[2] = {std::uint8_t(length >> 8), std::uint8_t(length)};
        if (!SendRaw(BytesToHex(header, 2) + hex)) return "send";
        if (!expectAnswer) return "";
        std::uint8_t size[2];
        if (::recv(m_nConnection, size, 2, MSG_WAITALL) != 2) return "closed";
        std::vector<std::uint8_t> answer(size[0] << 8 | size[1]);
        if (!answer.empty() && ::recv(m_nConnection, answer.data(), answer.size(), MSG_WAITALL) !=
                                   static_cast<ssize_t>(answer.size()))
            return "short";
        return ToHex(answer);
    }

private:
    int m_nListen = -1;
    int m_nConnection = -1;
    bool m_bListening = false;
    std::uint16_t m_nPort = 0;
};
