// The command line and the ATR check.

#include <gtest/gtest.h>

#include "ParamName.h"
#include "VsimOptions.h"

namespace {

bool ParseArgs(std::vector<const char*> args, CVsimOptions& options, std::string& error) {
    args.insert(args.begin(), "corvanta-vsim");
    return options.Parse(static_cast<int>(args.size()), args.data(), error);
}

TEST(VsimOptions, DefaultsWithoutArguments) {
    CVsimOptions options;
    std::string error;
    ASSERT_TRUE(ParseArgs({}, options, error));
    EXPECT_EQ(options.m_action, CVsimOptions::Action::Run);
    EXPECT_EQ(options.m_strHost, "127.0.0.1");
    EXPECT_EQ(options.m_nPort, 35963);
    EXPECT_TRUE(options.m_strProfile.empty());
    EXPECT_TRUE(options.m_strState.empty());
    EXPECT_EQ(options.m_atr, (std::vector<std::uint8_t>{0x3B, 0x02, 0x14, 0x50}));
}

TEST(VsimOptions, EveryOptionTakesItsValue) {
    CVsimOptions options;
    std::string error;
    ASSERT_TRUE(ParseArgs({"--host", "localhost", "--port", "40000", "--profile", "a.sim",
                           "--state", "a.state", "--atr", "3B80800101", "--verbose"},
                          options, error))
        << error;
    EXPECT_EQ(options.m_strHost, "localhost");
    EXPECT_EQ(options.m_nPort, 40000);
    EXPECT_EQ(options.m_strProfile, "a.sim");
    EXPECT_EQ(options.m_strState, "a.state");
    EXPECT_EQ(options.m_atr.size(), 5u);
    EXPECT_TRUE(options.m_bVerbose);
}

TEST(VsimOptions, HelpAndVersion) {
    CVsimOptions help, version;
    std::string error;
    ASSERT_TRUE(ParseArgs({"--port", "1", "--help"}, help, error));
    EXPECT_EQ(help.m_action, CVsimOptions::Action::Help);
    ASSERT_TRUE(ParseArgs({"--version"}, version, error));
    EXPECT_EQ(version.m_action, CVsimOptions::Action::Version);
}

struct BadCommandLine {
    std::vector<const char*> args;
    const char* error;
};

class VsimOptionsErrors : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(VsimOptionsErrors, AreRefusedWithAReason) {
    CVsimOptions options;
    std::string error;
    EXPECT_FALSE(ParseArgs(GetParam().args, options, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    VsimOptions, VsimOptionsErrors,
    ::testing::Values(
        BadCommandLine{{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        BadCommandLine{{"--port"}, "--port needs a value"},
        BadCommandLine{{"--port", "0"}, "--port needs a number from 1 to 65535, not '0'"},
        BadCommandLine{{"--port", "12ab"}, "--port needs a number from 1 to 65535, not '12ab'"},
        BadCommandLine{{"--atr", "3B02145"}, "--atr needs 2 to 33 bytes in hex"},
        BadCommandLine{{"--atr", "3C021450"}, "--atr must start with 3B or 3F"},
        BadCommandLine{{"--atr", "3B0214"},
                       "--atr length 3 does not match the 4 bytes its format bytes announce"},
        BadCommandLine{{"--atr", "3BF0"}, "--atr is shorter than its interface bytes say"},
        BadCommandLine{{"--atr", "3B800181"}, "--atr must offer T=0"},
        BadCommandLine{{"--atr", "3B80800102"}, "--atr check byte TCK is wrong"}),
    [](const auto& info) { return ParamName(info.index, info.param.error); });

TEST(VsimOptions, AtrsThatOfferT0) {
    std::vector<std::uint8_t> atr;
    std::string error;
    EXPECT_TRUE(CVsimOptions::ParseAtr("3B021450", atr, error)) << error;
    // TA1, TB1 and TC1, T=0 only, three historical bytes.
    EXPECT_TRUE(CVsimOptions::ParseAtr("3B73110000414243", atr, error)) << error;
    EXPECT_EQ(atr.size(), 8u);
    // T=0 and T=1 offered: a check byte is due.
    EXPECT_TRUE(CVsimOptions::ParseAtr("3b80800101", atr, error)) << error;
}

}  // namespace
