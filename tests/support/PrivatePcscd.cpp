// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePcscd.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <PCSC/winscard.h>
#include <PCSC/wintypes.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void SetError(std::string* pError, const std::string& text) {
    if (pError != nullptr) *pError = text;
}

bool PortIsFree(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool bFree = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bFree;
}

int FindFreePortRange(int count) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int base = 20000 + static_cast<int>((getpid() * 7919L + attempt * 104729L) % 30000);
        bool bAllFree = true;
        for (int i = 0; i < count && bAllFree; ++i) bAllFree = PortIsFree(base + i);
        if (bAllFree) return base;
    }
    return 0;
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& logFile) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    FILE* pLog = std::fopen(logFile.c_str(), "a");
    if (pLog != nullptr) {
        dup2(fileno(pLog), STDOUT_FILENO);
        dup2(fileno(pLog), STDERR_FILENO);
    }
    execvp(argv[0], argv.data());
    _exit(127);
}

bool StopProcess(pid_t& pid, int signal) {
    if (pid <= 0) return true;
    kill(pid, signal);
    int status = 0;
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    pid = -1;
    return false;
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* pValue = std::getenv(name);
    return pValue != nullptr && *pValue != '\0' ? pValue : fallback;
}

std::string VirtualCardPath() {
    return EnvOr("CORVANTA_VSIM", CORVANTA_VSIM_PATH);
}

}  // namespace

CPrivatePcscd::CPrivatePcscd() : CPrivatePcscd(Options{}) {}

CPrivatePcscd::CPrivatePcscd(Options options) : m_options(std::move(options)) {}

CPrivatePcscd::~CPrivatePcscd() {
    StopCard();
    StopDaemon();
}

std::string CPrivatePcscd::DefaultProfilePath() {
    return EnvOr("CORVANTA_VSIM_PROFILE", CORVANTA_VSIM_PROFILE);
}

bool CPrivatePcscd::Start(std::string* pError) {
    setenv("PCSCLITE_CSOCK_NAME", SocketPath().c_str(), 1);
    if (!StartDaemon(pError)) return false;
    if (!StartCard(pError)) return false;
    if (!WaitForCard(true)) {
        SetError(pError, "the virtual card did not appear in " + ReaderName() + "; see " +
                             m_dir.File("card.log") + " and " + m_dir.File("pcscd.log"));
        return false;
    }
    return true;
}

bool CPrivatePcscd::WriteReaderConf(std::string* pError) {
    mkdir(m_dir.File("conf").c_str(), 0700);
    mkdir(m_dir.File("ipc").c_str(), 0755);
    // The vpcd entry listens on its port and the next one.
    if (m_nPort == 0) m_nPort = FindFreePortRange(2);
    if (m_nPort == 0) {
        SetError(pError, "no free TCP port for the virtual reader");
        return false;
    }
    std::ostringstream hexPort;
    hexPort << "0x" << std::hex << m_nPort;
    std::ofstream conf(m_dir.File("conf/vpcd"));
    conf << "FRIENDLYNAME \"Corvanta Virtual SIM\"\n"
         << "DEVICENAME /dev/null:" << hexPort.str() << "\n"
         << "LIBPATH /usr/lib/pcsc/drivers/serial/libifdvpcd.so\n"
         << "CHANNELID " << hexPort.str() << "\n";
    return static_cast<bool>(conf);
}

bool CPrivatePcscd::WaitForSocket(int timeoutMs) {
    struct stat info {};
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (stat(SocketPath().c_str(), &info) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool CPrivatePcscd::StartDaemon(std::string* pError) {
    if (m_daemonPid > 0) return true;
    if (!WriteReaderConf(pError)) return false;
    unlink(SocketPath().c_str());
    // pcscd always listens in /run/pcscd; a private mount namespace gives it ours instead.
    // A normal user first needs a user namespace and a /run of its own to mount on.
    const bool bRoot = geteuid() == 0;
    const std::string mountRun =
        bRoot ? "mkdir -p /run/pcscd" : "mount -t tmpfs tmpfs /run && mkdir /run/pcscd";
    const std::string script = mountRun + " && mount --bind '" + m_dir.File("ipc") +
                               "' /run/pcscd && exec pcscd -f -c '" + m_dir.File("conf") + "'";
    std::vector<std::string> args = {"unshare"};
    if (!bRoot) args.push_back("-r");
    args.insert(args.end(), {"-m", "--propagation", "private", "sh", "-c", script});
    m_daemonPid = Spawn(args, m_dir.File("pcscd.log"));
    if (!WaitForSocket(10000)) {
        SetError(pError, "pcscd did not start; see " + m_dir.File("pcscd.log"));
        StopProcess(m_daemonPid, SIGKILL);
        return false;
    }
    return true;
}

bool CPrivatePcscd::StopDaemon() {
    const bool bClean = StopProcess(m_daemonPid, SIGTERM);
    unlink(SocketPath().c_str());
    return bClean;
}

bool CPrivatePcscd::StartCard(std::string* pError) {
    if (m_cardPid > 0) return true;
    std::vector<std::string> args = {
        VirtualCardPath(), "--port", std::to_string(m_nPort), "--profile",
        m_options.strProfile.empty() ? DefaultProfilePath() : m_options.strProfile};
    if (!m_options.strStateFile.empty())
        args.insert(args.end(), {"--state", m_options.strStateFile});
    args.insert(args.end(), m_vCardArguments.begin(), m_vCardArguments.end());
    m_cardPid = Spawn(args, m_dir.File("card.log"));
    if (m_cardPid <= 0) {
        SetError(pError, "could not start " + VirtualCardPath());
        return false;
    }
    return true;
}

bool CPrivatePcscd::StopCard(bool bKill) {
    if (m_cardPid <= 0) return true;
    const bool bStopped = StopProcess(m_cardPid, bKill ? SIGKILL : SIGTERM);
    // Until pcscd has noticed, the reader still reports the old card as present.
    return bStopped && (m_daemonPid <= 0 || WaitForCard(false));
}

bool CPrivatePcscd::SwapCard(std::vector<std::string> vCardArguments) {
    if (!StopCard(true)) return false;
    m_vCardArguments = std::move(vCardArguments);
    return StartCard() && WaitForCard(true);
}

bool CPrivatePcscd::WaitForCard(bool bPresent, int timeoutMs) {
    SCARDCONTEXT hContext = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &hContext) !=
           SCARD_S_SUCCESS) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string reader = ReaderName();
    SCARD_READERSTATE state{};
    state.szReader = reader.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    bool bReached = false;
    while (std::chrono::steady_clock::now() < deadline) {
        const LONG code = SCardGetStatusChange(hContext, 200, &state, 1);
        if (code == SCARD_S_SUCCESS || code == SCARD_E_TIMEOUT) {
            const bool bPresentNow = (state.dwEventState & SCARD_STATE_PRESENT) != 0;
            if (code == SCARD_S_SUCCESS && bPresentNow == bPresent &&
                (state.dwEventState & SCARD_STATE_UNKNOWN) == 0) {
                bReached = true;
                break;
            }
            state.dwCurrentState = state.dwEventState & ~SCARD_STATE_CHANGED;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    SCardReleaseContext(hContext);
    return bReached;
}
