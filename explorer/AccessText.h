// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileHeader.h"

#include <set>
#include <string>
#include <vector>

// What the codes presented so far allow: which are verified in this session (a card does
// not say; the explorer knows what it presented) and whether CHV1 is disabled.
struct CCodeStates {
    std::set<std::string> m_verified;  // "CHV1", "CHV2", "ADM"
    bool m_bChv1Disabled = false;
};

// The lines "READ: CHV1, verified", "UPDATE: ADM, not verified", "INCREASE: NEV" for an EF's
// access conditions against the code states.
class CAccessText {
public:
    static std::vector<std::string> Lines(const CFileHeader& header, const CCodeStates& states);
    // One operation: "READ: ALW" and so on; nibble 0 to F.
    static std::string Line(const char* pOperation, std::uint8_t nibble, const CCodeStates& states);
    // Whether the condition is met: ALW, a verified code, CHV1 while it is disabled.
    static bool IsGranted(std::uint8_t nibble, const CCodeStates& states);
    // The code a condition needs ("CHV1", "CHV2", "ADM"), empty for ALW, RFU and NEV.
    static std::string CodeFor(std::uint8_t nibble);
};
