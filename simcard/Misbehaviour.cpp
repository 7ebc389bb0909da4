// SPDX-License-Identifier: GPL-3.0-or-later
#include "Misbehaviour.h"

#include <array>
#include <utility>

#include "StrictHex.h"

namespace {

constexpr std::uint8_t kSelect = 0xA4;
constexpr std::size_t kOverLongExtra = 8;

const std::array<std::pair<const char*, CMisbehaviour::Mode>, 8> kModes = {{
    {"258", CMisbehaviour::Mode::Answer258},
    {"9F00", CMisbehaviour::Mode::Sw9F00},
    {"9FFF", CMisbehaviour::Mode::Sw9FFF},
    {"overlong", CMisbehaviour::Mode::OverLong},
    {"bare-sw", CMisbehaviour::Mode::BareStatus},
    {"61xx", CMisbehaviour::Mode::Sw61},
    {"6Cxx", CMisbehaviour::Mode::Sw6C},
    {"silent", CMisbehaviour::Mode::Silent},
}};

void ReplaceStatus(std::vector<std::uint8_t>& answer, std::uint8_t sw1, std::uint8_t sw2) {
    answer.assign({sw1, sw2});
}

}  // namespace

std::string CMisbehaviour::ModeNames() {
    std::string names;
    for (const auto& mode : kModes) names += (names.empty() ? "" : ", ") + std::string(mode.first);
    return names;
}

bool CMisbehaviour::Parse(const std::string& text, std::string& error) {
    const std::size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    m_eMode = Mode::None;
    for (const auto& mode : kModes)
        if (name == mode.first) m_eMode = mode.second;
    if (m_eMode == Mode::None) {
        error = "--misbehave needs one of " + ModeNames() + ", not '" + name + "'";
        return false;
    }
    m_nIns = -1;
    if (colon == std::string::npos) return true;
    std::vector<std::uint8_t> ins;
    if (!AppendStrictHex(text.substr(colon + 1), ins) || ins.size() != 1) {
        error = "--misbehave " + name + ":INS needs one instruction byte in hex";
        m_eMode = Mode::None;
        return false;
    }
    m_nIns = ins[0];
    return true;
}

// READ BINARY, READ RECORD, GET RESPONSE and STATUS: the commands that bring data back.
bool CMisbehaviour::AnswersData(std::uint8_t ins) {
    return ins == 0xB0 || ins == 0xB2 || ins == 0xC0 || ins == 0xF2;
}

bool CMisbehaviour::Targets(const std::uint8_t* pApdu, std::size_t length) const {
    if (length < 2) return m_nIns < 0 && m_eMode == Mode::Silent;
    const std::uint8_t ins = pApdu[1];
    if (m_nIns >= 0) return ins == m_nIns;
    switch (m_eMode) {
        case Mode::Sw9F00:
        case Mode::Sw9FFF:
            return ins == kSelect;
        case Mode::Answer258:
        case Mode::OverLong:
        case Mode::BareStatus:
            return AnswersData(ins);
        default:
            return true;
    }
}

CMisbehaviour::Outcome CMisbehaviour::Apply(const std::uint8_t* pApdu, std::size_t length,
                                            std::vector<std::uint8_t>& answer) {
    if (m_eMode == Mode::None || !Targets(pApdu, length)) return Outcome::Answer;
    if (m_eMode == Mode::Silent) {
        if (m_bSpent) return Outcome::Answer;
        m_bSpent = true;
        answer.clear();
        return Outcome::Silence;
    }
    Rewrite(answer);
    return Outcome::Answer;
}

void CMisbehaviour::Rewrite(std::vector<std::uint8_t>& answer) const {
    const std::size_t dataLength = answer.size() >= 2 ? answer.size() - 2 : 0;
    const std::uint8_t sw1 = answer.size() >= 2 ? answer[dataLength] : 0;
    const std::uint8_t sw2 = answer.size() >= 2 ? answer[dataLength + 1] : 0;
    switch (m_eMode) {
        case Mode::Answer258:
            answer.resize(258);
            for (std::size_t i = 0; i < 256; ++i) answer[i] = static_cast<std::uint8_t>(i);
            answer[256] = 0x90;
            answer[257] = 0x00;
            break;
        case Mode::Sw9F00:
            ReplaceStatus(answer, 0x9F, 0x00);
            break;
        case Mode::Sw9FFF:
            ReplaceStatus(answer, 0x9F, 0xFF);
            break;
        case Mode::OverLong:
            // Only an answer that carries data can carry too much of it.
            if (dataLength > 0)
                answer.insert(answer.begin() + static_cast<std::ptrdiff_t>(dataLength),
                              kOverLongExtra, 0xEE);
            break;
        case Mode::BareStatus:
            answer.erase(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(dataLength));
            break;
        case Mode::Sw61:
            if (sw1 == 0x9F) answer[dataLength] = 0x61;
            break;
        case Mode::Sw6C:
            if (sw1 == 0x67 && sw2 != 0x00) answer[dataLength] = 0x6C;
            break;
        default:
            break;
    }
}
