// The corvanta-vsim program as a whole: refusals with exit status and message, the default
// profile found beside the program, the end on SIGTERM. Saving the state is tested where it
// happens (StateFile, VpcdLink) and through the program end to end.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <fstream>
#include <sstream>

#include "FakeReader.h"
#include "SimCardFixture.h"
#include "TempDir.h"

extern char** environ;

namespace {

class VsimProgramTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    std::string ReadFile(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Starts the program with its stderr in a file.
    void Spawn(std::vector<std::string> args) {
        args.insert(args.begin(), CORVANTA_VSIM_BINARY);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, File("stderr").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }
    // Waits for the program; its exit status, or 128 + signal.
    int Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    int Run(std::vector<std::string> args) {
        Spawn(std::move(args));
        return Wait();
    }

    CTempDir m_dir;
    pid_t m_pid = -1;
};

// The messages themselves are the parsers' (their own tests); here the program's prefix,
// its exit status, and a corrupt state kept as it was.
TEST_F(VsimProgramTest, BadCommandLineOrStateEndWithAMessage) {
    EXPECT_EQ(Run({"--port", "x"}), 2);
    EXPECT_EQ(ReadFile("stderr"),
              "corvanta-vsim: --port needs a number from 1 to 65535, not 'x'\n");
    // A corrupt state stops the card and is kept for a look.
    std::ofstream(File("card.state")) << "mf 3F00\nthis is not a state\nend\n";
    EXPECT_EQ(Run({"--profile", CORVANTA_DEFAULT_PROFILE, "--state", File("card.state")}), 2);
    EXPECT_NE(ReadFile("stderr").find("state file is corrupt: " + File("card.state") + ":2:"),
              std::string::npos)
        << ReadFile("stderr");
    EXPECT_EQ(ReadFile("card.state"), "mf 3F00\nthis is not a state\nend\n");
}

// Without --profile the program takes the default profile beside itself.
TEST_F(VsimProgramTest, FindsTheDefaultProfileAndSigtermEndsTheProgram) {
    CFakeReader reader;
    Spawn({"--port", std::to_string(reader.GetPort())});
    ASSERT_TRUE(reader.Accept());
    EXPECT_EQ(reader.Exchange("A0A40000027F20"), "9F17");
    EXPECT_EQ(reader.Exchange("A0A40000026F46"), "9F0F");  // SPN
    ::kill(m_pid, SIGTERM);
    EXPECT_EQ(Wait(), 0);
}

}  // namespace
