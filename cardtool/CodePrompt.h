// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Asks for a code on the controlling terminal with echo off, so that it shows neither on the
// screen nor in the shell's history. Without a terminal nothing is asked.
class CCodePrompt {
public:
    static bool HasTerminal();
    // The line typed, empty when the user typed none or there is no terminal.
    static std::string Ask(const std::string& strPrompt);
};
