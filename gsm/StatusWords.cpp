// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusWords.h"

#include "DecoderText.h"

#include <array>

namespace {

// A status word of a table: sw2Mask selects the bits of SW2 that must equal sw2; the text
// may hold one %d (SW2 in decimal, or its low nibble when sw2Mask is F0) or %X (SW2 in hex).
struct CStatusWordRule {
    std::uint8_t m_nSw1;
    std::uint8_t m_nSw2;
    std::uint8_t m_nSw2Mask;
    const char* m_pText;
};

constexpr std::array<CStatusWordRule, 22> kGsmRules = {{
    {0x90, 0x00, 0xFF, "normal ending of the command"},
    {0x91, 0x00, 0x00, "normal ending, %d bytes of proactive command waiting for FETCH"},
    {0x9E, 0x00, 0x00, "SIM data download error, %d bytes of response waiting"},
    {0x9F, 0x00, 0x00, "%d bytes of response waiting"},
    {0x93, 0x00, 0xFF, "SIM Application Toolkit busy, command cannot be executed at present"},
    {0x92, 0x40, 0xFF, "memory problem"},
    {0x92, 0x00, 0xF0, "command successful after %d internal update retries"},
    {0x94, 0x00, 0xFF, "no EF selected"},
    {0x94, 0x02, 0xFF, "out of range (invalid address)"},
    {0x94, 0x04, 0xFF, "file id not found, or pattern not found"},
    {0x94, 0x08, 0xFF, "file is inconsistent with the command"},
    {0x98, 0x02, 0xFF, "no CHV initialised"},
    {0x98, 0x04, 0xFF,
     "access condition not fulfilled, or unsuccessful CHV or UNBLOCK CHV verification with at "
     "least one attempt left, or authentication failed"},
    {0x98, 0x08, 0xFF, "in contradiction with CHV status"},
    {0x98, 0x10, 0xFF, "in contradiction with invalidation status"},
    {0x98, 0x40, 0xFF,
     "unsuccessful CHV or UNBLOCK CHV verification, no attempt left; CHV or UNBLOCK CHV "
     "blocked"},
    {0x98, 0x50, 0xFF, "INCREASE cannot be performed, maximum value reached"},
    {0x67, 0x00, 0x00, "incorrect parameter P3 (correct length %X, 00: no information)"},
    {0x6B, 0x00, 0x00, "incorrect parameter P1 or P2 (%X)"},
    {0x6D, 0x00, 0x00, "unknown instruction code (%X)"},
    {0x6E, 0x00, 0x00, "wrong instruction class (%X)"},
    {0x6F, 0x00, 0x00, "technical problem with no diagnostic given (%X)"},
}};

// Words of ISO 7816-4 that SIMs and UICCs answer besides those of GSM 11.11.
constexpr std::array<CStatusWordRule, 33> kIsoRules = {{
    {0x61, 0x00, 0x00, "%d bytes still available (GET RESPONSE)"},
    {0x6C, 0x00, 0x00, "wrong length Le, exact length %d"},
    {0x62, 0x00, 0xFF, "warning, state unchanged, no information"},
    {0x62, 0x81, 0xFF, "warning, part of the returned data may be corrupted"},
    {0x62, 0x82, 0xFF, "warning, end of file or record reached before reading Le bytes"},
    {0x62, 0x83, 0xFF, "warning, selected file invalidated"},
    {0x62, 0x84, 0xFF, "warning, file control information not formatted"},
    {0x62, 0xF1, 0xFF, "warning, more data available"},
    {0x63, 0x00, 0xFF, "warning, verification failed"},
    {0x63, 0xC0, 0xF0, "verification failed, %d retries left"},
    {0x63, 0xF1, 0xFF, "warning, more data expected"},
    {0x64, 0x00, 0xFF, "execution error, state unchanged"},
    {0x65, 0x00, 0xFF, "execution error, state changed"},
    {0x65, 0x81, 0xFF, "memory failure"},
    {0x68, 0x00, 0xFF, "functions in CLA not supported"},
    {0x68, 0x81, 0xFF, "logical channel not supported"},
    {0x68, 0x82, 0xFF, "secure messaging not supported"},
    {0x69, 0x81, 0xFF, "command incompatible with file structure"},
    {0x69, 0x82, 0xFF, "security status not satisfied"},
    {0x69, 0x83, 0xFF, "authentication method blocked"},
    {0x69, 0x84, 0xFF, "referenced data invalidated"},
    {0x69, 0x85, 0xFF, "conditions of use not satisfied"},
    {0x69, 0x86, 0xFF, "command not allowed (no EF selected)"},
    {0x69, 0x00, 0xFF, "command not allowed"},
    {0x6A, 0x80, 0xFF, "incorrect parameters in the data field"},
    {0x6A, 0x81, 0xFF, "function not supported"},
    {0x6A, 0x82, 0xFF, "file or application not found"},
    {0x6A, 0x83, 0xFF, "record not found"},
    {0x6A, 0x84, 0xFF, "not enough memory space in the file"},
    {0x6A, 0x86, 0xFF, "incorrect parameters P1 and P2"},
    {0x6A, 0x87, 0xFF, "Lc inconsistent with P1 and P2"},
    {0x6A, 0x88, 0xFF, "referenced data not found"},
    {0x6A, 0x00, 0x00, "wrong parameters P1 and P2 (%X)"},
}};

std::string FillIn(const char* pText, std::uint8_t sw2, std::uint8_t mask) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char* p = pText; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd') {
            out += std::to_string(mask == 0xF0 ? sw2 & 0x0F : sw2);
            ++p;
        } else if (p[0] == '%' && p[1] == 'X') {
            out += kHex[sw2 >> 4];
            out += kHex[sw2 & 0x0F];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

template <std::size_t N>
const CStatusWordRule* Find(const std::array<CStatusWordRule, N>& rules, std::uint8_t sw1,
                            std::uint8_t sw2) {
    for (const CStatusWordRule& rule : rules) {
        if (rule.m_nSw1 == sw1 && (sw2 & rule.m_nSw2Mask) == rule.m_nSw2) return &rule;
    }
    return nullptr;
}

}  // namespace

CStatusWordMeaning DescribeStatusWord(std::uint8_t sw1, std::uint8_t sw2) {
    if (const CStatusWordRule* pRule = Find(kGsmRules, sw1, sw2)) {
        return {FillIn(pRule->m_pText, sw2, pRule->m_nSw2Mask), StatusWordSource::Gsm1111};
    }
    if (const CStatusWordRule* pRule = Find(kIsoRules, sw1, sw2)) {
        return {FillIn(pRule->m_pText, sw2, pRule->m_nSw2Mask), StatusWordSource::Iso7816};
    }
    return {"unknown status word", StatusWordSource::Unknown};
}

std::string ExplainStatusWord(std::uint8_t sw1, std::uint8_t sw2) {
    CStatusWordMeaning meaning = DescribeStatusWord(sw1, sw2);
    if (meaning.m_source == StatusWordSource::Iso7816) {
        meaning.m_strText += " (ISO 7816-4, not GSM 11.11)";
    }
    return meaning.m_strText;
}

std::string ExplainStatusWord(std::string_view hexText) {
    int digits[4];
    int count = 0;
    for (char c : hexText) {
        if (c == ' ') continue;
        const int value = HexDigitValue(c);
        if (value < 0 || count == 4) return {};
        digits[count++] = value;
    }
    if (count != 4) return {};
    return ExplainStatusWord(static_cast<std::uint8_t>(digits[0] << 4 | digits[1]),
                             static_cast<std::uint8_t>(digits[2] << 4 | digits[3]));
}
