// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimValues.h"

#include "AlphaIdentifier.h"
#include "BcdDigits.h"

#include <array>

namespace {

constexpr std::size_t kPlmnSize = 3;
constexpr std::size_t kPlmnActSize = 5;
constexpr std::size_t kImsiSize = 9;

bool IsUnused(std::string_view bytes) {
    return bytes.find_first_not_of('\xFF') == bytes.npos;
}

CEncodeResult Fill(std::string bytes, std::size_t size, std::string_view what) {
    if (bytes.size() > size) {
        return CEncodeResult::Error("the " + std::string(what) + " take " +
                                    std::to_string(bytes.size()) + " bytes; the file has " +
                                    std::to_string(size));
    }
    bytes.resize(size, '\xFF');
    return CEncodeResult::Bytes(std::move(bytes));
}

bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

std::optional<CServiceProviderName> ParseServiceProviderName(std::string_view data) {
    if (data.empty()) return std::nullopt;
    CServiceProviderName spn;
    spn.m_nDisplayCondition = static_cast<std::uint8_t>(data[0]);
    spn.m_strName = DecodeAlphaIdentifier(data.substr(1, kSpnSize - 1)).m_strText;
    return spn;
}

CEncodeResult EncodeServiceProviderName(const CServiceProviderName& spn) {
    const std::optional<std::string> name = EncodeAlphaIdentifier(spn.m_strName, kSpnSize - 1);
    if (!name) return CEncodeResult::Error("the name does not fit in 16 bytes");
    return CEncodeResult::Bytes(static_cast<char>(spn.m_nDisplayCondition) + *name);
}

std::optional<std::string> ParseImsi(std::string_view data) {
    if (data.size() < 2) return std::nullopt;
    const std::size_t length = static_cast<unsigned char>(data[0]);
    if (length == 0 || length == 0xFF) return std::nullopt;
    const std::string_view body = data.substr(1, std::min(length, data.size() - 1));
    // The first nibble is the parity/identity type; the digits start at the second.
    std::string digits = DecodeSwappedBcd(body);
    if (digits.empty()) return std::nullopt;
    digits.erase(0, 1);
    return digits;
}

CEncodeResult EncodeImsi(std::string_view digits) {
    if (digits.size() < 6 || digits.size() > 15) {
        return CEncodeResult::Error("an IMSI has 6 to 15 digits");
    }
    for (char c : digits) {
        if (c < '0' || c > '9') return CEncodeResult::Error("an IMSI has decimal digits only");
    }
    // Parity bit (odd count) over identity type 001.
    const char typeNibble = digits.size() % 2 != 0 ? '9' : '1';
    const std::optional<std::string> bcd = EncodeBcdDigits(typeNibble + std::string(digits));
    std::string out(1, static_cast<char>(bcd->size()));
    out += *bcd;
    out.resize(kImsiSize, '\xFF');
    return CEncodeResult::Bytes(std::move(out));
}

PlmnList ParsePlmnList(std::string_view data) {
    PlmnList list;
    for (std::size_t offset = 0; offset + kPlmnSize <= data.size(); offset += kPlmnSize) {
        list.push_back(DecodePlmn(data.substr(offset, kPlmnSize)));
    }
    return list;
}

CEncodeResult EncodePlmnList(const PlmnList& list, std::size_t size) {
    std::string bytes;
    for (const std::optional<CPlmn>& plmn : list) {
        if (!plmn) {
            bytes += "\xFF\xFF\xFF";
            continue;
        }
        const std::optional<std::string> encoded = EncodePlmn(*plmn);
        if (!encoded) return CEncodeResult::Error("\"" + PlmnText(plmn) + "\" is not a PLMN");
        bytes += *encoded;
    }
    return Fill(std::move(bytes), size, "PLMNs");
}

std::vector<CPlmnWithAct> ParsePlmnActList(std::string_view data) {
    std::vector<CPlmnWithAct> list;
    for (std::size_t offset = 0; offset + kPlmnActSize <= data.size(); offset += kPlmnActSize) {
        CPlmnWithAct entry;
        entry.m_plmn = DecodePlmn(data.substr(offset, kPlmnSize));
        entry.m_nAct =
            static_cast<std::uint16_t>(static_cast<unsigned char>(data[offset + 3]) << 8 |
                                       static_cast<unsigned char>(data[offset + 4]));
        list.push_back(entry);
    }
    return list;
}

CEncodeResult EncodePlmnActList(const std::vector<CPlmnWithAct>& list, std::size_t size) {
    std::string bytes;
    for (const CPlmnWithAct& entry : list) {
        if (entry.m_plmn) {
            const std::optional<std::string> encoded = EncodePlmn(*entry.m_plmn);
            if (!encoded) {
                return CEncodeResult::Error("\"" + PlmnText(entry.m_plmn) + "\" is not a PLMN");
            }
            bytes += *encoded;
        } else {
            bytes += "\xFF\xFF\xFF";
        }
        bytes += static_cast<char>(entry.m_nAct >> 8);
        bytes += static_cast<char>(entry.m_nAct & 0xFF);
    }
    return Fill(std::move(bytes), size, "PLMNs");
}

std::string AccessTechnologyText(std::uint16_t act) {
    // TS 51.011 10.3.37: byte 1 bit 8 UTRAN, byte 2 bit 8 GSM, bit 7 GSM COMPACT.
    static constexpr std::array<std::pair<std::uint16_t, const char*>, 3> kBits = {{
        {0x8000, "UTRAN"},
        {0x0080, "GSM"},
        {0x0040, "GSM COMPACT"},
    }};
    std::string text;
    std::uint16_t rest = act;
    for (const auto& [bit, name] : kBits) {
        if (!(act & bit)) continue;
        if (!text.empty()) text += ", ";
        text += name;
        rest = static_cast<std::uint16_t>(rest & ~bit);
    }
    if (rest != 0) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        if (!text.empty()) text += ", ";
        text += "RFU bits ";
        for (int shift = 12; shift >= 0; shift -= 4) text += kHex[(rest >> shift) & 0xF];
    }
    return text.empty() ? "none" : text;
}

std::vector<std::uint8_t> ParseLanguageCodes(std::string_view data) {
    std::vector<std::uint8_t> codes;
    for (char byte : data) {
        if (byte != '\xFF') codes.push_back(static_cast<std::uint8_t>(byte));
    }
    return codes;
}

CEncodeResult EncodeLanguageCodes(const std::vector<std::uint8_t>& codes, std::size_t size) {
    std::string bytes;
    for (std::uint8_t code : codes) {
        if (code == 0xFF) return CEncodeResult::Error("FF marks an unused language entry");
        bytes += static_cast<char>(code);
    }
    return Fill(std::move(bytes), size, "languages");
}

std::string_view LanguageName(std::uint8_t code) {
    // TS 23.038 5, coding group 0000 and the 0010 group's first languages.
    static constexpr std::array<std::string_view, 16> kGroup0 = {
        "German",  "English",   "Italian",    "French",     "Spanish",   "Dutch",
        "Swedish", "Danish",    "Portuguese", "Finnish",    "Norwegian", "Greek",
        "Turkish", "Hungarian", "Polish",     "unspecified"};
    static constexpr std::array<std::string_view, 5> kGroup2 = {"Czech", "Hebrew", "Arabic",
                                                                "Russian", "Icelandic"};
    if (code < kGroup0.size()) return kGroup0[code];
    if (code >= 0x20 && code < 0x20 + kGroup2.size()) return kGroup2[code - 0x20];
    return {};
}

std::vector<std::string> ParseLanguageTags(std::string_view data) {
    std::vector<std::string> tags;
    for (std::size_t offset = 0; offset + 2 <= data.size(); offset += 2) {
        const std::string_view tag = data.substr(offset, 2);
        if (!IsUnused(tag)) tags.emplace_back(tag);
    }
    return tags;
}

CEncodeResult EncodeLanguageTags(const std::vector<std::string>& tags, std::size_t size) {
    std::string bytes;
    for (const std::string& tag : tags) {
        if (tag.size() != 2 || !IsLowerLetter(tag[0]) || !IsLowerLetter(tag[1])) {
            return CEncodeResult::Error("\"" + tag + "\" is not a two-letter language code");
        }
        bytes += tag;
    }
    return Fill(std::move(bytes), size, "languages");
}
