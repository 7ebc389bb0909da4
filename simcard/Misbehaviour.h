// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A test mode of the virtual card: it answers some commands as a broken card, or one with
// T=1/ISO habits, would, so that a client can be tried against answers a good GSM card
// never gives. Chosen with --misbehave MODE[:INS]; INS (two hex digits) narrows it to one
// instruction instead of the mode's own default commands.
class CMisbehaviour {
public:
    enum class Mode {
        None,
        Answer258,   // 256 data bytes and 9000, whatever length was asked for
        Sw9F00,      // SELECT answers 9F00: a response of no bytes waits
        Sw9FFF,      // SELECT answers 9FFF: more waits than GET RESPONSE can ask for
        OverLong,    // the data asked for and 8 bytes more
        BareStatus,  // the status word alone where data was due
        Sw61,        // 61xx where the card would say 9Fxx
        Sw6C,        // 6Cxx where the card would say 67xx
        Silent,      // no answer at all once: the card drops the link as a mute card does
    };
    // Whether the link answers a command or leaves it unanswered.
    enum class Outcome { Answer, Silence };

    // "MODE" or "MODE:INS"; false with error set for an unknown mode or a bad INS.
    bool Parse(const std::string& text, std::string& error);
    static std::string ModeNames();

    bool IsActive() const { return m_eMode != Mode::None; }
    Mode GetMode() const { return m_eMode; }

    // Rewrites the card's own answer to the APDU as the mode has it. Silent acts on the
    // first command it targets only, so that the link is seen to recover.
    Outcome Apply(const std::uint8_t* pApdu, std::size_t length,
                  std::vector<std::uint8_t>& answer);

private:
    bool Targets(const std::uint8_t* pApdu, std::size_t length) const;
    static bool AnswersData(std::uint8_t ins);
    void Rewrite(std::vector<std::uint8_t>& answer) const;

    Mode m_eMode = Mode::None;
    int m_nIns = -1;  // -1: the mode's default commands
    bool m_bSpent = false;
};
