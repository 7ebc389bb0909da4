// The command line and the ATR check.

#include <gtest/gtest.h>

#include "VsimOptions.h"

namespace {

bool ParseArgs(std::vector<const char*> args, CVsimOptions& options, std::string& error) {
    args.insert(args.begin(), "corvanta-vsim");
    return options.Parse(static_cast<int>(args.size()), args.data(), error);
}

TEST(VsimOptions, DefaultsAndEveryOptionWithItsValue) {
    CVsimOptions defaults, options, help;
    std::string error;
    ASSERT_TRUE(ParseArgs({}, defaults, error));
    EXPECT_EQ(defaults.m_nPort, 35963);  // vpcd's own default
    EXPECT_TRUE(defaults.m_strState.empty());
    EXPECT_EQ(defaults.m_atr, (std::vector<std::uint8_t>{0x3B, 0x02, 0x14, 0x50}));
    ASSERT_TRUE(ParseArgs({"--host", "localhost", "--port", "40000", "--profile", "a.sim",
                           "--state", "a.state", "--atr", "3B80800101", "--verbose"},
                          options, error))
        << error;
    EXPECT_EQ(options.m_strHost + options.m_strProfile + options.m_strState,
              "localhosta.sima.state");
    EXPECT_EQ(options.m_nPort, 40000);
    EXPECT_EQ(options.m_atr.size(), 5u);
    EXPECT_TRUE(options.m_bVerbose);
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
    };
    for (const auto& [args, message] : bad) {
        CVsimOptions options;
        std::string error;
        EXPECT_FALSE(ParseArgs(args, options, error)) << message;
        EXPECT_EQ(error, message);
    }
}

// T=0 alone; TA1, TB1 and TC1 with three historical bytes; T=0 and T=1 with a check byte.
TEST(VsimOptions, AtrsThatOfferT0) {
    std::vector<std::uint8_t> atr;
    std::string error;
    for (const char* good : {"3B021450", "3B73110000414243", "3b80800101"})
        EXPECT_TRUE(CVsimOptions::ParseAtr(good, atr, error)) << good << ": " << error;
}

}  // namespace
