// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodePrompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace {

// The terminal's settings come back however the read ends.
class CEchoOff {
public:
    explicit CEchoOff(int fd) : m_nFd(fd) {
        if (tcgetattr(fd, &m_saved) != 0) return;
        termios quiet = m_saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        m_bChanged = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    }
    ~CEchoOff() {
        if (m_bChanged) tcsetattr(m_nFd, TCSAFLUSH, &m_saved);
    }
    CEchoOff(const CEchoOff&) = delete;
    CEchoOff& operator=(const CEchoOff&) = delete;

private:
    int m_nFd;
    termios m_saved{};
    bool m_bChanged = false;
};

}  // namespace

bool CCodePrompt::HasTerminal() {
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return isatty(STDIN_FILENO) != 0;
}

std::string CCodePrompt::Ask(const std::string& prompt) {
    if (!HasTerminal()) return std::string();
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0) return std::string();
    std::string line;
    {
        const CEchoOff echoOff(fd);
        if (::write(fd, prompt.data(), prompt.size()) < 0) line.clear();
        char c = 0;
        while (::read(fd, &c, 1) == 1 && c != '\n' && line.size() < 64) line.push_back(c);
        c = 0;
    }
    ::close(fd);
    return line;
}
