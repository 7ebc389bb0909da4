// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DumpCatalogue.h"
#include "DumpDiff.h"
#include "TwinBuilder.h"
#include "WalkFixture.h"

#include <fstream>
#include <iterator>
#include <string>

inline std::string DefaultProfileText() {
    std::ifstream in(CORVANTA_DEFAULT_PROFILE);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline CCardWalker::CodeSource DefaultCodes() {
    return [](const std::string& code, int) -> std::string {
        return code == "CHV1" ? "1234" : code == "CHV2" ? "5678" : "0A0A0A0A0A0A0A0A";
    };
}

// A whole dump of a card in-process, as corvanta-card dump takes it through a reader.
inline CCardDump DumpOf(CInProcessCard& card) {
    CCardWalker walker(CDumpCatalogue::Targets(), card.Exchange());
    walker.SetCodeSource(DefaultCodes());
    WalkToEnd(walker);
    EXPECT_TRUE(walker.Dump().m_bComplete);
    return walker.Dump();
}

inline CCardDump DumpOf(const std::string& profileText) {
    CInProcessCard card(profileText);
    return DumpOf(card);
}

inline std::string TwinOf(const CCardDump& dump, const CTwinBuilder::Codes* pCodes = nullptr) {
    CTwinBuilder builder(pCodes);
    std::string profile, error;
    EXPECT_TRUE(builder.Build(dump, profile, error)) << error;
    return profile;
}

inline std::string Lines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

// Replaces the first occurrence, which must be there.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}
