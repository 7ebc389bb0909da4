// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessText.h"

#include "FileDescription.h"

#include "HexText.h"

namespace {

constexpr std::uint8_t kAlways = 0x0;
constexpr std::uint8_t kChv1 = 0x1;
constexpr std::uint8_t kChv2 = 0x2;
constexpr std::uint8_t kFirstAdm = 0x4;
constexpr std::uint8_t kLastAdm = 0xE;

std::string ConditionName(std::uint8_t nibble) {
    const std::uint8_t byte = nibble & 0x0F;
    return CFileDescription::AccessConditionName(BytesToHex(&byte, 1).substr(1));
}

}  // namespace

std::string CAccessText::CodeFor(std::uint8_t nibble) {
    if (nibble == kChv1) return "CHV1";
    if (nibble == kChv2) return "CHV2";
    if (nibble >= kFirstAdm && nibble <= kLastAdm) return "ADM";
    return {};
}

bool CAccessText::IsGranted(std::uint8_t nibble, const CCodeStates& states) {
    if (nibble == kAlways) return true;
    if (nibble == kChv1 && states.m_bChv1Disabled) return true;
    const std::string code = CodeFor(nibble);
    return !code.empty() && states.m_verified.count(code) > 0;
}

std::string CAccessText::Line(const char* pOperation, std::uint8_t nibble,
                              const CCodeStates& states) {
    std::string line = std::string(pOperation) + ": " + ConditionName(nibble);
    if (nibble == kChv1 && states.m_bChv1Disabled) return line + ", disabled (granted)";
    if (!CodeFor(nibble).empty()) line += IsGranted(nibble, states) ? ", verified" : ", not verified";
    return line;
}

std::vector<std::string> CAccessText::Lines(const CFileHeader& header, const CCodeStates& states) {
    if (header.IsDirectory()) return {};
    std::vector<std::string> lines = {Line("READ", header.ReadAccess(), states),
                                      Line("UPDATE", header.UpdateAccess(), states)};
    if (header.m_eStructure == CFileHeader::Structure::Cyclic) {
        lines.push_back(Line("INCREASE", header.IncreaseAccess(), states));
    }
    lines.push_back(Line("INVALIDATE", header.InvalidateAccess(), states));
    lines.push_back(Line("REHABILITATE", header.RehabilitateAccess(), states));
    return lines;
}
