// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-vsim on a stand-in reader: the vpcd framing and control codes, frames that are
// not APDUs, reconnection, the mute card, the state saved before the answer goes out, the
// default profile beside the program, the end on SIGTERM (every test ends so, with status
// 0), and refusals with exit status and message; then its command line on its own.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "SimCardFixture.h"
#include "TempDir.h"
#include "VsimOptions.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The test is the reader's side: it listens on a loopback port, starts the program there and
// speaks the vpcd framing with it.
class VsimProgramTest : public ::testing::Test {
protected:
    VsimProgramTest() {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        EXPECT_EQ(::bind(m_nListen, reinterpret_cast<sockaddr*>(&address), length), 0);
        EXPECT_EQ(::listen(m_nListen, 1), 0);
        ::getsockname(m_nListen, reinterpret_cast<sockaddr*>(&address), &length);
        m_strPort = std::to_string(ntohs(address.sin_port));
        // A program that never comes or answers fails the test; the connections inherit it.
        const timeval timeout{5, 0};
        ::setsockopt(m_nListen, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    }
    void TearDown() override {
        EXPECT_EQ(m_pid > 0 ? Stop() : 0, 0);
        ::close(m_nConnection);
        ::close(m_nListen);
    }
    // Starts the program on the test's port (a later --port wins) with these options, on
    // the test profile unless told otherwise, with its stderr in a file.
    void Start(const std::string& options, bool bTestProfile = true) {
        std::ofstream(m_dir.File("test.sim")) << TestProfileText();
        const std::string command = "exec " CORVANTA_VSIM_BINARY " --port " + m_strPort +
                                    (bTestProfile ? " --profile " + m_dir.File("test.sim") : "") +
                                    " " + options + " 2>" + m_dir.File("stderr");
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        ASSERT_EQ(posix_spawn(&m_pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ),
                  0);
    }
    // Sends the signal (none: only waits); the exit status, or 128 + the signal that ended it.
    int Stop(int signal = SIGTERM) {
        if (signal != 0) ::kill(m_pid, signal);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    // Takes the program's (next) connection, dropping the one before; when told, only once
    // the program has closed that one itself (within the receive timeout).
    bool Accept(bool bClosedByCard = false) {
        std::uint8_t byte;
        if (bClosedByCard && ::recv(m_nConnection, &byte, 1, 0) != 0) return false;
        ::close(m_nConnection);
        m_nConnection = ::accept4(m_nListen, nullptr, nullptr, SOCK_CLOEXEC);
        return m_nConnection >= 0;
    }
    // Bytes as they are, framing included.
    bool SendRaw(const std::string& hex) {
        const std::vector<std::uint8_t> bytes = FromHex(hex);
        return ::send(m_nConnection, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // Each step of a transcript (see Steps()) as a message: a step without an answer is a
    // control code, which gets none.
    void Talk(const std::string& transcript) {
        for (const auto& [message, expected] : Steps(transcript)) {
            const std::uint8_t length[2] = {std::uint8_t(message.size() / 2 >> 8),
                                            std::uint8_t(message.size() / 2)};
            ASSERT_TRUE(SendRaw(BytesToHex(length, 2) + message)) << message;
            if (expected.empty()) continue;
            std::uint8_t size[2] = {0, 0};
            ::recv(m_nConnection, size, 2, MSG_WAITALL);  // nothing read fails as no answer
            std::vector<std::uint8_t> answer(size[0] << 8 | size[1]);
            ::recv(m_nConnection, answer.data(), answer.size(), MSG_WAITALL);
            EXPECT_EQ(ToHex(answer), expected) << message;
        }
    }

    CTempDir m_dir;
    int m_nListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int m_nConnection = -1;
    std::string m_strPort;
    pid_t m_pid = -1;
};

// Power off (00) forgets the verified codes, reset (02) goes back to the MF. Only 00, 01,
// 02 and 04 are control codes; every other frame is a command that waits for an answer. A
// change is saved before the answer goes out. A frame that stops short, a reader that leaves
// mid-frame and a mute card (vpcd would wait for its answer for ever) mean reconnecting, to
// a fresh session.
TEST_F(VsimProgramTest, ServesTheReaderSavesChangesAndReconnects) {
    const std::string state = m_dir.File("card.state");
    Start("--misbehave silent:F2 --state " + state);
    ASSERT_TRUE(Accept());
    Talk(
        "04 > 3B021450; 01; A020000108 31323334FFFFFFFF > 9000; A0A40000027F20 > 9F17; 02;"
        "A0A40000026F07 > 9404; A020000108 31323334FFFFFFFF > 9000; 00;"
        "A0A40000027F20 > 9F17; A0A40000026F07 > 9F0F; A0B0000001 > 9804; A0 > 6700;"
        "03 > 6700; 05 > 6700; FF > 6700; > 6700; A0A40000026F78 > 9F0F");
    EXPECT_FALSE(std::filesystem::exists(state));  // nothing changed yet
    Talk("A0D6000001 05 > 9000");
    EXPECT_NE(ReadText(state).find("data 0502\n"), std::string::npos) << ReadText(state);
    ASSERT_TRUE(SendRaw("0007 A0A400"));  // four bytes announced too many
    ASSERT_TRUE(Accept(true));
    Talk("A0A40000027F20 > 9F17");
    ASSERT_TRUE(SendRaw("00"));  // half a header, then gone
    ASSERT_TRUE(Accept());
    Talk("A0A40000027F20 > 9F17");
    ASSERT_TRUE(SendRaw("0005 A0F2000016"));
    ASSERT_TRUE(Accept(true));
    Talk("04 > 3B021450; A0F2000006 > 000002003F00 9000");
}

// Without --profile the program takes the default profile beside itself. The messages of
// bad options are the parsers' (their own tests); here the program's prefix, and its exit
// status, also for a state it cannot read (which it must not go on over).
TEST_F(VsimProgramTest, FindsTheDefaultProfileAndEndsOnSigtermOrBadInput) {
    Start("--port x");
    EXPECT_EQ(Stop(0), 2);
    EXPECT_EQ(ReadText(m_dir.File("stderr")),
              "corvanta-vsim: --port needs a number from 1 to 65535, not 'x'\n");
    std::ofstream(m_dir.File("card.state")) << "mf 3F00\nthis is not a state\nend\n";
    Start("--state " + m_dir.File("card.state"));
    EXPECT_EQ(Stop(0), 2);
    Start("--verbose --port 1");  // where nothing listens on a test machine
    while (ReadText(m_dir.File("stderr")).find("waiting for vpcd") == std::string::npos)
        std::this_thread::yield();
    EXPECT_EQ(Stop(), 0);
    Start("", false);
    ASSERT_TRUE(Accept());
    Talk("A0A40000027F20 > 9F17; A0A40000026F46 > 9F0F");  // SPN
    ASSERT_TRUE(SendRaw("0007 A0"));                       // stopped inside a frame
}

// The command line on its own: the ATR check and the --misbehave text.

bool ParseArgs(std::vector<const char*> args, CVsimOptions& options, std::string& error) {
    args.insert(args.begin(), "corvanta-vsim");
    return options.Parse(static_cast<int>(args.size()), args.data(), error);
}

// The options the program's tests use are read there; here the others, and the ATRs that
// offer T=0: alone; with TA1, TB1, TC1 and three historical bytes; beside T=1 with TCK.
TEST(VsimOptions, HostAtrHelpAndVersion) {
    CVsimOptions options, help;
    std::string error;
    ASSERT_TRUE(ParseArgs({"--host", "localhost", "--atr", "3B021450", "--atr", "3B73110000414243",
                           "--atr", "3b80800101"},
                          options, error))
        << error;
    EXPECT_EQ(options.m_strHost, "localhost");
    EXPECT_EQ(options.m_atr.size(), 5u);
    ASSERT_TRUE(ParseArgs({"--port", "1", "--help"}, help, error));
    EXPECT_EQ(help.m_action, CVsimOptions::Action::Help);
    ASSERT_TRUE(ParseArgs({"--version"}, help, error));
    EXPECT_EQ(help.m_action, CVsimOptions::Action::Version);
}

TEST(VsimOptions, ErrorsAreRefusedWithAReason) {
    const std::pair<std::vector<const char*>, const char*> bad[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "0"}, "--port needs a number from 1 to 65535, not '0'"},
        {{"--port", "12ab"}, "--port needs a number from 1 to 65535, not '12ab'"},
        {{"--atr", "3B02145"}, "--atr needs 2 to 33 bytes in hex"},
        {{"--atr", "3C021450"}, "--atr must start with 3B or 3F"},
        {{"--atr", "3B0214"},
         "--atr length 3 does not match the 4 bytes its format bytes announce"},
        {{"--atr", "3BF0"}, "--atr is shorter than its interface bytes say"},
        {{"--atr", "3B800181"}, "--atr must offer T=0"},
        {{"--atr", "3B80800102"}, "--atr check byte TCK is wrong"},
        {{"--misbehave", "loud"},
         "--misbehave needs one of 258, 9F00, 9FFF, overlong, bare-sw, 61xx, 6Cxx, silent, "
         "not 'loud'"},
        {{"--misbehave", "silent:B"}, "--misbehave silent:INS needs one instruction byte in hex"},
        {{"--misbehave", "silent:B0B2"},
         "--misbehave silent:INS needs one instruction byte in hex"},
    };
    for (const auto& [args, message] : bad) {
        CVsimOptions options;
        std::string error;
        EXPECT_FALSE(ParseArgs(args, options, error)) << message;
        EXPECT_EQ(error, message);
        EXPECT_FALSE(options.m_misbehaviour.IsActive()) << message;
    }
}

}  // namespace
