// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Which of the two mode radio buttons is checked; neither is when the page opens.
enum class CommandMode { Neither, In, Out };

// The Command page's input fields as text, the way the page copies them to and from its
// controls.
struct CCommandFields {
    std::string m_strClaIns;  // four digits, or a whole preset item text "A0A4<SELECT>"
    std::string m_strP1;
    std::string m_strP2;
    std::string m_strP3;
    std::string m_strData;
    std::string m_strStatusWord;
    CommandMode m_eMode = CommandMode::Neither;
};
