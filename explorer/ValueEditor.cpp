// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueEditor.h"

#include "ByteText.h"
#include "DecoderText.h"
#include "DialNumber.h"
#include "SimValues.h"
#include "StrictHex.h"

#include <cstdio>

namespace {

constexpr char kListHint[] = ", between entries; \"unused\" for an empty entry";

std::string_view AsText(const CBytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == text.npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// The comma-separated items of a list, trimmed; none for a blank text.
std::vector<std::string> Items(std::string_view text) {
    std::vector<std::string> items;
    if (Trimmed(text).empty()) return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.push_back(Trimmed(text.substr(start, comma == text.npos ? text.npos : comma - start)));
        if (comma == text.npos) return items;
        start = comma + 1;
    }
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// The number of entries of entrySize bytes up to the last one that is not all FF: the
// unused entries after it are the padding an encoder writes again.
std::size_t EntriesInUse(const CBytes& bytes, std::size_t entrySize) {
    std::size_t used = 0;
    for (std::size_t offset = 0; offset + entrySize <= bytes.size(); offset += entrySize) {
        for (std::size_t i = offset; i < offset + entrySize; ++i) {
            if (bytes[i] != 0xFF) used = offset / entrySize + 1;
        }
    }
    return used;
}

std::string HexWord(unsigned value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

std::string PlmnListText(const CBytes& bytes) {
    PlmnList list = ParsePlmnList(AsText(bytes));
    list.resize(std::min(list.size(), EntriesInUse(bytes, 3)));
    std::vector<std::string> items;
    for (const std::optional<CPlmn>& plmn : list) items.push_back(PlmnText(plmn));
    return Joined(items);
}

std::string PlmnActListText(const CBytes& bytes) {
    std::vector<CPlmnWithAct> list = ParsePlmnActList(AsText(bytes));
    list.resize(std::min(list.size(), EntriesInUse(bytes, 5)));
    std::vector<std::string> items;
    for (const CPlmnWithAct& entry : list) items.push_back(PlmnText(entry.m_plmn) + "/" + HexWord(entry.m_nAct));
    return Joined(items);
}

// "unused" or a PLMN as ParsePlmnText reads it; false for anything else.
bool ParsePlmnItem(const std::string& item, std::optional<CPlmn>& plmn) {
    if (EqualNoCase(item, "unused")) {
        plmn.reset();
        return true;
    }
    plmn = ParsePlmnText(item);
    return plmn.has_value();
}

std::string LanguagesText(const CBytes& bytes) {
    std::vector<std::string> items;
    for (std::uint8_t code : ParseLanguageCodes(AsText(bytes))) {
        const std::string_view name = LanguageName(code);
        items.push_back(name.empty() ? HexByte(code) : std::string(name));
    }
    return Joined(items);
}

// A language's name in any case, or its code as two hex digits.
bool ParseLanguage(const std::string& item, std::uint8_t& code) {
    for (unsigned value = 0; value < 0xFF; ++value) {
        const std::string_view name = LanguageName(static_cast<std::uint8_t>(value));
        if (!name.empty() && EqualNoCase(name, item)) {
            code = static_cast<std::uint8_t>(value);
            return true;
        }
    }
    CBytes parsed;
    if (item.size() != 2 || !AppendStrictHex(item, parsed)) return false;
    code = parsed[0];
    return true;
}

CEncodeResult BadItem(const std::string& item, const char* pWhat) {
    return CEncodeResult::Error("\"" + item + "\" is not " + pWhat);
}

}  // namespace

std::optional<CValueEditor> CValueEditor::For(const std::string& strName, const CBytes& current,
                                             std::size_t size) {
    const std::string_view data = AsText(current);
    if (strName == "EF ADN" || strName == "EF FDN" || strName == "EF SDN" || strName == "EF LND" ||
        strName == "EF MSISDN" || strName == "EF MBDN" || strName == "EF BDN") {
        const bool bBarred = strName == "EF BDN";
        CValueEditor editor(bBarred ? Kind::BarredDialNumber : Kind::DialNumber, current, size);
        const std::optional<CDialNumber> entry =
            ParseDialNumber(data, bBarred ? kBarredDialNumberTrailer : kDialNumberTrailer);
        editor.AddInput("Name", "the name as the phone shows it", entry ? entry->m_strAlpha : "");
        editor.AddInput("Number", "digits, * and #; + first for international", entry ? entry->m_strNumber : "");
        return editor;
    }
    if (strName == "EF SPN") {
        CValueEditor editor(Kind::Spn, current, size);
        const std::optional<CServiceProviderName> spn = ParseServiceProviderName(data);
        editor.AddInput("Name", "at most 16 bytes once coded", spn ? spn->m_strName : "");
        editor.AddInput("Display condition", "two hex digits; bit 1: the registered PLMN shown too",
                        HexByte(spn ? spn->m_nDisplayCondition : 0));
        return editor;
    }
    if (strName == "EF IMSI") {
        CValueEditor editor(Kind::Imsi, current, size);
        editor.AddInput("IMSI", "6 to 15 digits", ParseImsi(data).value_or(""));
        return editor;
    }
    if (strName == "EF PLMNsel" || strName == "EF FPLMN") {
        CValueEditor editor(Kind::PlmnList, current, size);
        editor.AddInput("PLMNs", std::string("MCC-MNC") + kListHint, PlmnListText(current));
        return editor;
    }
    if (strName == "EF PLMNwAcT" || strName == "EF OPLMNwAcT" || strName == "EF HPLMNwAcT") {
        CValueEditor editor(Kind::PlmnActList, current, size);
        editor.AddInput("PLMNs",
                        std::string("MCC-MNC/access technology in hex (8000 UTRAN, 0080 GSM, 0040 GSM COMPACT)") + kListHint,
                        PlmnActListText(current));
        return editor;
    }
    if (strName == "EF LP") {
        CValueEditor editor(Kind::Languages, current, size);
        editor.AddInput("Languages", "names (English) or codes in hex, comma between", LanguagesText(current));
        return editor;
    }
    if (strName == "EF ELP") {
        CValueEditor editor(Kind::LanguageTags, current, size);
        editor.AddInput("Languages", "two-letter codes (en), comma between", Joined(ParseLanguageTags(data)));
        return editor;
    }
    return std::nullopt;
}

void CValueEditor::AddInput(std::string strLabel, std::string strHint, std::string strValue) {
    m_inputs.push_back({std::move(strLabel), std::move(strHint), std::move(strValue)});
}

bool CValueEditor::Encode(const std::vector<std::string>& values, CBytes& bytes, std::string& strError) const {
    if (values.size() != m_inputs.size()) {
        strError = "one text is needed for each value";
        return false;
    }
    const CEncodeResult result = Encoded(values);
    if (!result.Ok()) {
        strError = result.m_strError;
        return false;
    }
    bytes.assign(result.m_strBytes.begin(), result.m_strBytes.end());
    return true;
}

CEncodeResult CValueEditor::Encoded(const std::vector<std::string>& values) const {
    const std::string_view data = AsText(m_current);
    switch (m_kind) {
    case Kind::DialNumber:
    case Kind::BarredDialNumber: {
        const std::size_t trailer = m_kind == Kind::BarredDialNumber ? kBarredDialNumberTrailer : kDialNumberTrailer;
        CDialNumber entry = ParseDialNumber(data, trailer).value_or(CDialNumber());
        entry.m_strAlpha = values[0];
        entry.m_strNumber = Trimmed(values[1]);
        return EncodeDialNumber(entry, m_nSize, trailer);
    }
    case Kind::Spn: {
        CBytes condition;
        const std::string hex = Trimmed(values[1]);
        if (hex.size() != 2 || !AppendStrictHex(hex, condition)) return BadItem(hex, "two hex digits");
        return EncodeServiceProviderName({condition[0], values[0]});
    }
    case Kind::Imsi: {
        return EncodeImsi(Trimmed(values[0]));
    }
    case Kind::PlmnList: {
        PlmnList list;
        for (const std::string& item : Items(values[0])) {
            if (!ParsePlmnItem(item, list.emplace_back())) return BadItem(item, "a PLMN (MCC-MNC)");
        }
        return EncodePlmnList(list, m_nSize);
    }
    case Kind::PlmnActList: {
        std::vector<CPlmnWithAct> list;
        for (const std::string& item : Items(values[0])) {
            const std::size_t slash = item.find('/');
            CBytes act;
            CPlmnWithAct& entry = list.emplace_back();
            const std::string actHex = slash == item.npos ? "" : Trimmed(item.substr(slash + 1));
            if (!ParsePlmnItem(Trimmed(item.substr(0, slash)), entry.m_plmn) || actHex.size() != 4 ||
                !AppendStrictHex(actHex, act)) {
                return BadItem(item, "a PLMN and its access technology (001-01/0080)");
            }
            entry.m_nAct = static_cast<std::uint16_t>(act[0] << 8 | act[1]);
        }
        return EncodePlmnActList(list, m_nSize);
    }
    case Kind::Languages: {
        std::vector<std::uint8_t> codes;
        for (const std::string& item : Items(values[0])) {
            if (!ParseLanguage(item, codes.emplace_back())) return BadItem(item, "a language");
        }
        return EncodeLanguageCodes(codes, m_nSize);
    }
    case Kind::LanguageTags:
        return EncodeLanguageTags(Items(values[0]), m_nSize);
    }
    return CEncodeResult::Error("no encoder");
}
