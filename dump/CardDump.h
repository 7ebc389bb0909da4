// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DumpedFile.h"

#include <string>
#include <vector>

// A whole card as read by the walker: the ATR, each file it holds in the order it was read
// (a directory before what it contains), and when and by what it was taken. Never a code:
// m_verified names the codes that were presented, not their values.
struct CCardDump {
    static constexpr int kVersion = 1;

    CBytes m_atr;
    std::string m_strReader;
    std::string m_strProgram;  // "corvanta-card 0.1.0"
    std::string m_strTaken;    // UTC, ISO 8601: 2026-12-11T14:32:15Z
    std::vector<std::string> m_verified;  // "CHV1", "CHV2", "ADM"
    // False when the walk was cancelled or lost the card; the files read so far are kept.
    bool m_bComplete = true;
    // What the walker wants the reader to know: files a DF counts but the catalogue did not
    // find, codes refused, a card that answered against the rules.
    std::vector<std::string> m_notes;
    std::vector<CDumpedFile> m_files;

    // The fewest APDUs a complete read of these files needs: a SELECT and a GET RESPONSE per
    // file, a READ per record or per 256 bytes, and the VERIFYs of the codes presented.
    std::size_t LeastApdus() const;

    const CDumpedFile* Find(const std::string& path) const;
    CDumpedFile* Find(const std::string& path);
};
