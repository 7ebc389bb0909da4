// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

// The header bytes and data direction that a preset instruction fills in when it is
// chosen; its CLA+INS and name are the text of its combo item.
class CommandPreset {
public:
    CommandPreset() = default;
    CommandPreset(std::string strP1, std::string strP2, std::string strP3, std::string strMode)
        : m_strP1(std::move(strP1)),
          m_strP2(std::move(strP2)),
          m_strP3(std::move(strP3)),
          m_strMode(std::move(strMode)) {}
    CommandPreset(const CommandPreset&) = default;
    CommandPreset& operator=(const CommandPreset&) = default;
    virtual ~CommandPreset() = default;

    std::string m_strP1;
    std::string m_strP2;
    std::string m_strP3;
    std::string m_strMode;  // "IN", "OUT", or anything else, which leaves the mode alone
};
