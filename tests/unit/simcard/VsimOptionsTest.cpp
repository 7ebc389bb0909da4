// The command line, the ATR check and the --misbehave text.

#include <gtest/gtest.h>

#include "VsimOptions.h"

namespace {

bool ParseArgs(std::vector<const char*> args, CVsimOptions& options, std::string& error) {
    args.insert(args.begin(), "corvanta-vsim");
    return options.Parse(static_cast<int>(args.size()), args.data(), error);
}

// The options the program's tests use are read there; here the others, and the ATRs that
// offer T=0: alone; with TA1, TB1, TC1 and three historical bytes; beside T=1 with TCK.
TEST(VsimOptions, HostPortAtrHelpAndVersion) {
    CVsimOptions defaults, options, help;
    std::string error;
    ASSERT_TRUE(ParseArgs({}, defaults, error));
    EXPECT_EQ(defaults.m_nPort, 35963);  // vpcd's own default
    ASSERT_TRUE(ParseArgs({"--host", "localhost", "--port", "40000", "--atr", "3B021450", "--atr",
                           "3B73110000414243", "--atr", "3b80800101"},
                          options, error))
        << error;
    EXPECT_EQ(options.m_strHost, "localhost");
    EXPECT_EQ(options.m_nPort, 40000);
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
