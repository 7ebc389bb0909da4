// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Misbehaviour.h"

// The command line of corvanta-vsim.
class CVsimOptions {
public:
    enum class Action { Run, Help, Version };

    static constexpr std::uint16_t DefaultPort = 35963;

    // False with error set for an unknown option, a missing or bad value.
    bool Parse(int argc, const char* const* argv, std::string& error);
    static std::string Usage();

    // An ATR in hex that offers T=0 and whose length matches its own interface and
    // historical bytes (and check byte when one is due).
    static bool ParseAtr(const std::string& hex, std::vector<std::uint8_t>& atr,
                         std::string& error);

    Action m_action = Action::Run;
    std::string m_strHost = "127.0.0.1";
    std::uint16_t m_nPort = DefaultPort;
    std::string m_strProfile;  // empty: the default profile beside the executable
    std::string m_strState;    // empty: no state file
    std::vector<std::uint8_t> m_atr{0x3B, 0x02, 0x14, 0x50};
    bool m_bVerbose = false;
    CMisbehaviour m_misbehaviour;  // --misbehave: a test mode, off by default
};
