// SPDX-License-Identifier: GPL-3.0-or-later
#include "Plmn.h"

namespace {

char NibbleDigit(unsigned nibble) {
    return static_cast<char>(nibble < 10 ? '0' + nibble : 'A' + (nibble - 10));
}

bool AllDecimal(std::string_view digits) {
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::optional<CPlmn> DecodePlmn(std::string_view bytes) {
    if (bytes.size() < 3) return std::nullopt;
    const unsigned b1 = static_cast<unsigned char>(bytes[0]);
    const unsigned b2 = static_cast<unsigned char>(bytes[1]);
    const unsigned b3 = static_cast<unsigned char>(bytes[2]);
    if (b1 == 0xFF && b2 == 0xFF && b3 == 0xFF) return std::nullopt;
    CPlmn plmn;
    plmn.m_strMcc = {NibbleDigit(b1 & 0x0F), NibbleDigit(b1 >> 4), NibbleDigit(b2 & 0x0F)};
    plmn.m_strMnc = {NibbleDigit(b3 & 0x0F), NibbleDigit(b3 >> 4)};
    if ((b2 >> 4) != 0x0F) plmn.m_strMnc += NibbleDigit(b2 >> 4);
    return plmn;
}

std::optional<std::string> EncodePlmn(const CPlmn& plmn) {
    const std::string& mcc = plmn.m_strMcc;
    const std::string& mnc = plmn.m_strMnc;
    if (mcc.size() != 3 || (mnc.size() != 2 && mnc.size() != 3)) return std::nullopt;
    if (!AllDecimal(mcc) || !AllDecimal(mnc)) return std::nullopt;
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
    const unsigned mnc3 = mnc.size() == 3 ? digit(mnc[2]) : 0x0F;
    std::string out(3, '\0');
    out[0] = static_cast<char>(digit(mcc[1]) << 4 | digit(mcc[0]));
    out[1] = static_cast<char>(mnc3 << 4 | digit(mcc[2]));
    out[2] = static_cast<char>(digit(mnc[1]) << 4 | digit(mnc[0]));
    return out;
}

std::string PlmnText(const std::optional<CPlmn>& plmn) {
    return plmn ? plmn->m_strMcc + "-" + plmn->m_strMnc : std::string("unused");
}

std::optional<CPlmn> ParsePlmnText(std::string_view text) {
    CPlmn plmn;
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos) {
        plmn.m_strMcc = std::string(text.substr(0, dash));
        plmn.m_strMnc = std::string(text.substr(dash + 1));
    } else if (text.size() == 5 || text.size() == 6) {
        plmn.m_strMcc = std::string(text.substr(0, 3));
        plmn.m_strMnc = std::string(text.substr(3));
    } else {
        return std::nullopt;
    }
    if (!EncodePlmn(plmn)) return std::nullopt;
    return plmn;
}
