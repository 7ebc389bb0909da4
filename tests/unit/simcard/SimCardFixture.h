// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "HexText.h"
#include "SimCard.h"
#include "SimProfile.h"
#include "StrictHex.h"

// A small card with one file of each kind the tests need; its content is spelt out here
// so that a change to the shipped profile does not move these tests. It also has comments,
// quoted text, a CRLF line and text after the end line, which is not read.
inline const char* TestProfileText() {
    return R"(# test card
chv1     31323334FFFFFFFF attempts=3
unblock1 3132333435363738 attempts=10
chv2     35363738FFFFFFFF attempts=3
unblock2 3837363534333231 attempts=10
adm      0A0A0A0A0A0A0A0A
ki       000102030405060708090A0B0C0D0E0F
mf 3F00 free=512   # the MF
ef 3F00/2FE2 transparent size=10 read=ALW update=NEV
    data 98 00 01 01 00 00 00 10 32 F4
ef 3F00/6F01 transparent size=1 read=ADME update=ADM7
df 3F00/7F10 free=256
ef 3F00/7F10/6F3A linear record=4 records=3 read=CHV1 update=CHV1 invalidate=CHV2 rehabilitate=CHV2
    record 1 11 11 11 11
    record 2 22 22 22 22
    record 3 11 22 33 44
ef 3F00/7F10/6F44 cyclic record=2 records=3 read=CHV1 update=CHV1
    record 1 01 01
    record 2 02 02
    record 3 03 03
df 3F00/7F20
ef 3F00/7F20/6F07 transparent size=9 read=CHV1 update=ADM invalidate=ADM rehabilitate=CHV1
    data 08 09 10 10 10 32 54 76 98
ef 3F00/7F20/6F39 cyclic record=3 records=2 read=CHV1 update=CHV1 increase=CHV1
    record 1 00 00 05
    record 2 00 00 01
ef 3F00/7F20/6FAE transparent size=1 read=ALW update=ADM invalidate=ALW rehabilitate=ALW
    data 02
ef 3F00/7F20/6F78 transparent size=2 read=ALW update=ALW invalidate=ALW rehabilitate=ALW usable-when-invalidated
    data 00 02
ef 3F00/7F20/6F7B transparent size=12 read=CHV2 update=NEV
    data 01 "A #1" FF   # quoted text
df 3F00/7F20/5F30
)"
           "ef 3F00/7F20/5F30/4F20 transparent size=2 read=ALW update=ALW\r\n"
           "end\nthis is not read\n";
}

// Hex for reading, with blanks ("0000 3F00 01"), to bytes or to compact text.
inline std::string Compact(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

inline std::vector<std::uint8_t> FromHex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(AppendStrictHex(Compact(text), bytes)) << text;
    return bytes;
}

inline std::string ToHex(const std::vector<std::uint8_t>& bytes) {
    return BytesToHex(bytes.data(), bytes.size());
}

inline CSimProfile ParseOrDie(const std::string& text) {
    CSimProfile profile;
    std::string error;
    EXPECT_TRUE(profile.Parse(text, "test.sim", error)) << error;
    return profile;
}

// Sends an APDU written in hex (blanks allowed) and answers data + SW in hex.
inline std::string SendTo(CSimCard& card, const std::string& apdu) {
    std::vector<std::uint8_t> bytes = FromHex(apdu);
    return ToHex(card.Process(bytes.data(), bytes.size()));
}

// A transcript "command > answer; command > answer; word word": each command in hex, blanks
// left out, with the answer it must get; each word of a step without an answer on its own,
// with an empty answer.
inline std::vector<std::pair<std::string, std::string>> Steps(const std::string& transcript) {
    std::vector<std::pair<std::string, std::string>> steps;
    std::istringstream in(transcript);
    for (std::string step; std::getline(in, step, ';');) {
        const std::size_t arrow = step.find('>');
        std::istringstream words(step);
        if (arrow != std::string::npos)
            steps.emplace_back(Compact(step.substr(0, arrow)), Compact(step.substr(arrow + 1)));
        else
            for (std::string word; words >> word;) steps.emplace_back(word, "");
    }
    return steps;
}

// Plays a transcript on the card. Words without an answer set the card up: CHV1, CHV2 and
// ADM present that code and a file id is selected (both must succeed), "reset" starts a
// new session, "changed" and "same" expect what TakeChanged() says.
inline void Play(CSimCard& card, const std::string& transcript) {
    static const std::pair<const char*, const char*> codes[] = {
        {"CHV1", "A020000108 31323334FFFFFFFF"},
        {"CHV2", "A020000208 35363738FFFFFFFF"},
        {"ADM", "A020000A08 0A0A0A0A0A0A0A0A"}};
    for (const auto& [command, expected] : Steps(transcript)) {
        if (!expected.empty()) {
            EXPECT_EQ(SendTo(card, command), expected) << command;
        } else if (command == "reset") {
            card.Reset();
        } else if (command == "changed" || command == "same") {
            EXPECT_EQ(card.TakeChanged(), command == "changed");
        } else {
            std::string apdu = "A0A4000002" + command;
            for (const auto& code : codes)
                if (command == code.first) apdu = code.second;
            const std::string answer = SendTo(card, apdu);
            EXPECT_TRUE(answer == "9000" || answer.substr(0, 2) == "9F") << command << answer;
        }
    }
}
