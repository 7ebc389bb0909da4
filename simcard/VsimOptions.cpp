// SPDX-License-Identifier: GPL-3.0-or-later
#include "VsimOptions.h"

#include <charconv>

#include "StrictHex.h"

std::string CVsimOptions::Usage() {
    return "Usage: corvanta-vsim [options]\n"
           "A virtual GSM SIM card for the vpcd driver of pcscd.\n"
           "\n"
           "  --host HOST      vpcd host (default 127.0.0.1)\n"
           "  --port PORT      vpcd TCP port (default 35963)\n"
           "  --profile FILE   card profile (default: default.sim beside the program)\n"
           "  --state FILE     keep the card's changes in FILE across restarts\n"
           "  --atr HEX        answer to reset (default 3B021450; must offer T=0)\n"
           "  --verbose        log every APDU on stderr\n"
           "  --misbehave MODE[:INS]\n"
           "                   test mode: answer some commands as a broken card would;\n"
           "                   MODE is one of " + CMisbehaviour::ModeNames() + "\n"
           "  --help           show this help\n"
           "  --version        show the version\n";
}

bool CVsimOptions::ParseAtr(const std::string& hex, std::vector<std::uint8_t>& atr,
                            std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!AppendStrictHex(hex, bytes) || bytes.size() < 2 || bytes.size() > 33) {
        error = "--atr needs 2 to 33 bytes in hex";
        return false;
    }
    if (bytes[0] != 0x3B && bytes[0] != 0x3F) {
        error = "--atr must start with 3B or 3F";
        return false;
    }
    // Walk the interface bytes: each Y nibble says which of TA, TB, TC, TD follow.
    std::size_t position = 2;
    std::uint8_t y = bytes[1] >> 4;
    std::size_t historical = bytes[1] & 0x0F;
    bool offersT0 = true;  // without TD1 the card speaks T=0 only
    bool firstProtocol = true;
    bool needsCheckByte = false;
    while (true) {
        std::size_t present = (y & 1) + ((y >> 1) & 1) + ((y >> 2) & 1) + ((y >> 3) & 1);
        if (position + present > bytes.size()) {
            error = "--atr is shorter than its interface bytes say";
            return false;
        }
        position += present;
        if (!(y & 0x8)) break;
        std::uint8_t protocol = bytes[position - 1] & 0x0F;
        if (firstProtocol) offersT0 = protocol == 0;
        firstProtocol = false;
        if (protocol == 0)
            offersT0 = true;
        else
            needsCheckByte = true;
        y = bytes[position - 1] >> 4;
    }
    std::size_t expected = position + historical + (needsCheckByte ? 1 : 0);
    if (bytes.size() != expected) {
        error = "--atr length " + std::to_string(bytes.size()) + " does not match the " +
                std::to_string(expected) + " bytes its format bytes announce";
        return false;
    }
    if (needsCheckByte) {
        std::uint8_t check = 0;
        for (std::size_t i = 1; i < bytes.size(); ++i) check ^= bytes[i];
        if (check != 0) {
            error = "--atr check byte TCK is wrong";
            return false;
        }
    }
    if (!offersT0) {
        error = "--atr must offer T=0";
        return false;
    }
    atr = bytes;
    return true;
}

bool CVsimOptions::Parse(int argc, const char* const* argv, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            m_action = Action::Help;
            return true;
        }
        if (option == "--version") {
            m_action = Action::Version;
            return true;
        }
        if (option == "--verbose" || option == "-v") {
            m_bVerbose = true;
            continue;
        }
        if (option != "--host" && option != "--port" && option != "--profile" &&
            option != "--state" && option != "--atr" && option != "--misbehave") {
            error = "unknown option '" + option + "' (see --help)";
            return false;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            error = option + " needs a value";
            return false;
        }
        std::string value = argv[++i];
        if (option == "--host") {
            m_strHost = value;
        } else if (option == "--port") {
            unsigned port = 0;
            auto result = std::from_chars(value.data(), value.data() + value.size(), port);
            if (result.ec != std::errc() || result.ptr != value.data() + value.size() ||
                port == 0 || port > 65535) {
                error = "--port needs a number from 1 to 65535, not '" + value + "'";
                return false;
            }
            m_nPort = static_cast<std::uint16_t>(port);
        } else if (option == "--profile") {
            m_strProfile = value;
        } else if (option == "--state") {
            m_strState = value;
        } else if (option == "--misbehave") {
            if (!m_misbehaviour.Parse(value, error)) return false;
        } else if (!ParseAtr(value, m_atr, error)) {
            return false;
        }
    }
    return true;
}
