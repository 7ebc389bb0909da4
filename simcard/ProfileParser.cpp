// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileParser.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "StrictHex.h"

namespace {

constexpr std::size_t MaxRecordLength = 255;
constexpr std::size_t MaxRecordCount = 254;  // record numbers travel in one byte, 00 excluded
constexpr std::size_t MaxFileSize = 0xFFFF;

bool ParseId(std::string_view text, std::uint16_t& id) {
    std::vector<std::uint8_t> bytes;
    if (text.size() != 4 || !AppendStrictHex(text, bytes)) return false;
    id = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    return true;
}

bool ParseNumber(std::string_view text, std::size_t& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

// Splits on blanks; a "quoted text" stays one token, quotes included.
std::vector<std::string_view> Tokenize(std::string_view line, bool& unterminated) {
    std::vector<std::string_view> tokens;
    unterminated = false;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::size_t start = i;
        if (line[i] == '"') {
            std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                unterminated = true;
                return tokens;
            }
            i = close + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        }
        tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

std::pair<std::string_view, std::string_view> SplitOption(std::string_view token) {
    std::size_t equals = token.find('=');
    if (equals == std::string_view::npos) return {token, {}};
    return {token.substr(0, equals), token.substr(equals + 1)};
}

std::string_view StripComment(std::string_view line) {
    // A '#' inside quoted text is content, not a comment.
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '#' && !quoted) return line.substr(0, i);
    }
    return line;
}

}  // namespace

CProfileParser::CProfileParser(std::string sourceName) : m_strSourceName(std::move(sourceName)) {}

int CProfileParser::AccessFromName(std::string_view name) {
    if (name == "ALW") return CSimFile::Always;
    if (name == "CHV1") return CSimFile::Chv1;
    if (name == "CHV2") return CSimFile::Chv2;
    if (name == "ADM") return CSimFile::Adm;
    if (name == "NEV") return CSimFile::Never;
    // Reserved, never fulfilled; a twin keeps what the original card said.
    if (name == "RFU") return 0x3;
    if (name.size() == 4 && name.substr(0, 3) == "ADM") {
        int level = HexDigitValue(name[3]);
        if (level >= 4 && level <= 0xE && !(name[3] >= 'a' && name[3] <= 'f')) return level;
    }
    return -1;
}

bool CProfileParser::Fail(const std::string& reason) {
    m_strError = m_strSourceName + ":" + std::to_string(m_nLine) + ": " + reason;
    return false;
}

bool CProfileParser::Run(std::string_view text, CSimProfile& profile, std::string& error) {
    std::size_t start = 0;
    m_nLine = 0;
    while (start <= text.size() && !m_bEndMarker) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++m_nLine;
        if (!ParseLine(line)) {
            error = m_strError;
            profile.Assign(nullptr, CChvSet(), {}, false);
            return false;
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    if (!m_pMf && !Fail("no mf line: the profile holds no files")) {
        error = m_strError;
        profile.Assign(nullptr, CChvSet(), {}, false);
        return false;
    }
    profile.Assign(std::move(m_pMf), m_codes, m_ki, m_bEndMarker);
    return true;
}

bool CProfileParser::ParseLine(std::string_view line) {
    bool unterminated = false;
    Tokens tokens = Tokenize(StripComment(line), unterminated);
    if (unterminated) return Fail("quoted text without closing quote");
    if (tokens.empty()) return true;
    std::string_view keyword = tokens[0];
    if (keyword == "chv1") return ParseCode(CChvSet::Chv1, tokens);
    if (keyword == "unblock1") return ParseCode(CChvSet::Unblock1, tokens);
    if (keyword == "chv2") return ParseCode(CChvSet::Chv2, tokens);
    if (keyword == "unblock2") return ParseCode(CChvSet::Unblock2, tokens);
    if (keyword == "adm") return ParseCode(CChvSet::Adm, tokens);
    if (keyword == "ki") return ParseKi(tokens);
    if (keyword == "data") return ParseData(tokens);
    if (keyword == "record") return ParseRecord(tokens);
    if (keyword == "ef") return ParseEf(tokens);
    if (keyword == "mf" || keyword == "df") {
        // Content lines after a directory line would be ambiguous.
        m_pEf = nullptr;
        return ParseDirectory(keyword == "mf" ? CSimFile::Kind::Mf : CSimFile::Kind::Df, tokens);
    }
    if (keyword == "end") {
        m_bEndMarker = true;
        return tokens.size() == 1 || Fail("unexpected text after end");
    }
    return Fail("unknown keyword '" + std::string(keyword) + "'");
}

bool CProfileParser::ParseCode(CChvSet::Code code, const Tokens& tokens) {
    std::string name(tokens[0]);
    if (m_codes.IsInitialised(code)) return Fail(name + " given twice");
    std::vector<std::uint8_t> bytes;
    if (tokens.size() < 2 || !AppendStrictHex(tokens[1], bytes) || bytes.size() != 8)
        return Fail(name + " needs a value of 8 bytes in hex (16 digits)");
    std::size_t attempts = CChvSet::MaxAttempts(code);
    bool disabled = false;
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        auto [key, value] = SplitOption(tokens[i]);
        if (key == "attempts" && code != CChvSet::Adm) {
            if (!ParseNumber(value, attempts) || attempts > CChvSet::MaxAttempts(code))
                return Fail("attempts of " + name + " must be 0 to " +
                            std::to_string(CChvSet::MaxAttempts(code)));
        } else if (key == "disabled" && value.empty() && code == CChvSet::Chv1) {
            disabled = true;
        } else {
            return Fail("unknown option '" + std::string(tokens[i]) + "' for " + name);
        }
    }
    CChvSet::Value value{};
    std::copy(bytes.begin(), bytes.end(), value.begin());
    m_codes.Define(code, value, static_cast<std::uint8_t>(attempts));
    if (disabled) m_codes.SetChv1Enabled(false);
    return true;
}

bool CProfileParser::ParseKi(const Tokens& tokens) {
    if (m_bKiSeen) return Fail("ki given twice");
    m_bKiSeen = true;
    std::vector<std::uint8_t> bytes;
    if (tokens.size() != 2 || !AppendStrictHex(tokens[1], bytes) || bytes.size() != m_ki.size())
        return Fail("ki needs a value of 16 bytes in hex (32 digits)");
    std::copy(bytes.begin(), bytes.end(), m_ki.begin());
    return true;
}

bool CProfileParser::ResolvePath(std::string_view path, CSimFile*& pParent, std::uint16_t& id) {
    pParent = nullptr;
    std::size_t start = 0;
    while (true) {
        std::size_t slash = path.find('/', start);
        bool last = slash == std::string_view::npos;
        std::string_view part = path.substr(start, last ? std::string_view::npos : slash - start);
        if (!ParseId(part, id))
            return Fail("'" + std::string(part) + "' is not a file id of 4 hex digits");
        bool first = start == 0;
        if (first && id != 0x3F00) return Fail("a path starts at the MF 3F00");
        if (!first && id == 0x3F00) return Fail("3F00 is the MF and cannot appear inside a path");
        if (last) {
            // SELECT of that id would always find the directory itself first.
            if (pParent && id == pParent->GetId())
                return Fail("a file cannot have the id of its own directory");
            return true;
        }
        CSimFile* pNext = first ? m_pMf.get() : pParent->FindChild(id);
        if (!pNext)
            return Fail("directory " + std::string(path.substr(0, slash)) +
                        " is not defined before its files");
        if (!pNext->IsDirectory()) return Fail(std::string(part) + " is an EF, not a directory");
        pParent = pNext;
        start = slash + 1;
    }
}

bool CProfileParser::ParseDirectory(CSimFile::Kind kind, const Tokens& tokens) {
    const char* keyword = kind == CSimFile::Kind::Mf ? "mf" : "df";
    if (tokens.size() < 2) return Fail(std::string(keyword) + " needs a path");
    CSimFile* pParent = nullptr;
    std::uint16_t id = 0;
    if (!ResolvePath(tokens[1], pParent, id)) return false;
    if (kind == CSimFile::Kind::Mf) {
        if (pParent) return Fail("the mf line names 3F00 alone");
        if (m_pMf) return Fail("mf given twice");
    } else {
        if (!pParent) return Fail("a df lives under the MF, e.g. 3F00/7F20");
        if (pParent->FindChild(id)) return Fail("file " + std::string(tokens[1]) + " given twice");
    }
    auto pDir = std::make_unique<CSimFile>(kind, id);
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        auto [key, value] = SplitOption(tokens[i]);
        if (key == "header") {
            if (!ParseHeaderTemplate(*pDir, value)) return false;
            continue;
        }
        std::size_t free = 0;
        if (key != "free" || !ParseNumber(value, free) || free > MaxFileSize)
            return Fail("unknown option '" + std::string(tokens[i]) + "' for " + keyword +
                        " (free=BYTES and header=HEX are allowed)");
        pDir->SetFreeMemory(static_cast<std::uint16_t>(free));
    }
    if (kind == CSimFile::Kind::Mf) {
        m_pMf = std::move(pDir);
    } else {
        pParent->AddChild(std::move(pDir));
    }
    return true;
}

bool CProfileParser::ParseEf(const Tokens& tokens) {
    if (tokens.size() < 3) return Fail("ef needs a path and a structure");
    CSimFile* pParent = nullptr;
    std::uint16_t id = 0;
    if (!ResolvePath(tokens[1], pParent, id)) return false;
    if (!pParent) return Fail("an ef lives in a directory, e.g. 3F00/2FE2");
    if (pParent->FindChild(id)) return Fail("file " + std::string(tokens[1]) + " given twice");

    CSimFile::Structure structure;
    if (tokens[2] == "transparent") {
        structure = CSimFile::Structure::Transparent;
    } else if (tokens[2] == "linear") {
        structure = CSimFile::Structure::LinearFixed;
    } else if (tokens[2] == "cyclic") {
        structure = CSimFile::Structure::Cyclic;
    } else {
        return Fail("unknown structure '" + std::string(tokens[2]) +
                    "' (transparent, linear or cyclic)");
    }
    auto pEf = std::make_unique<CSimFile>(CSimFile::Kind::Ef, id);
    std::size_t size = 0, recordLength = 0, recordCount = 0;
    std::uint8_t access[5] = {0xFF, 0xFF, CSimFile::Never, CSimFile::Adm, CSimFile::Adm};
    bool sizeGiven = false;
    for (std::size_t i = 3; i < tokens.size(); ++i) {
        if (!ParseEfOption(*pEf, tokens[i], size, recordLength, recordCount, access, sizeGiven))
            return false;
    }
    if (access[0] == 0xFF) return Fail("read=... access condition missing");
    if (access[1] == 0xFF) return Fail("update=... access condition missing");
    if (structure == CSimFile::Structure::Transparent) {
        if (!sizeGiven) return Fail("size=BYTES missing for a transparent file");
        pEf->MakeTransparent(size);
    } else {
        if (recordLength == 0) return Fail("record length 0 for a record file");
        if (recordCount == 0) return Fail("number of records 0 for a record file");
        pEf->MakeRecords(structure, recordLength, recordCount);
    }
    pEf->SetAccess(access[0], access[1], access[2], access[3], access[4]);
    if (access[2] != CSimFile::Never && structure != CSimFile::Structure::Cyclic)
        return Fail("increase=... applies to cyclic files only");
    // The INCREASE answer (record and added value) must fit one response.
    if (access[2] != CSimFile::Never && recordLength > 252)
        return Fail("increase=... needs a record length of at most 252");
    m_pEf = pParent->AddChild(std::move(pEf));
    m_nDataFill = 0;
    m_recordFill.assign(m_pEf->GetRecordCount() + 1, 0);
    return true;
}

bool CProfileParser::ParseEfOption(CSimFile& file, std::string_view token, std::size_t& size,
                                   std::size_t& recordLength, std::size_t& recordCount,
                                   std::uint8_t (&access)[5], bool& sizeGiven) {
    static const char* const accessKeys[5] = {"read", "update", "increase", "invalidate",
                                              "rehabilitate"};
    auto [key, value] = SplitOption(token);
    for (int i = 0; i < 5; ++i) {
        if (key == accessKeys[i]) {
            int nibble = AccessFromName(value);
            if (nibble < 0)
                return Fail("unknown access condition '" + std::string(value) +
                            "' (ALW, CHV1, CHV2, ADM, ADM4..ADME, NEV, RFU)");
            access[i] = static_cast<std::uint8_t>(nibble);
            return true;
        }
    }
    if (key == "size" || key == "record" || key == "records") {
        std::size_t number = 0;
        if (!ParseNumber(value, number)) return Fail(std::string(key) + "= needs a decimal number");
        if (key == "size") {
            if (number > MaxFileSize) return Fail("size above 65535 bytes");
            size = number;
            sizeGiven = true;
        } else if (key == "record") {
            if (number > MaxRecordLength) return Fail("record length above 255");
            recordLength = number;
        } else {
            if (number > MaxRecordCount) return Fail("more than 254 records");
            recordCount = number;
        }
        return true;
    }
    if (key == "header") return ParseHeaderTemplate(file, value);
    if (key == "invalidated" && value.empty()) {
        file.SetStatus(file.GetStatus() & ~CSimFile::StatusValid);
        return true;
    }
    if (key == "usable-when-invalidated" && value.empty()) {
        file.SetStatus(file.GetStatus() | CSimFile::StatusUsableInvalidated);
        return true;
    }
    return Fail("unknown option '" + std::string(token) + "' for ef");
}

bool CProfileParser::ParseHeaderTemplate(CSimFile& file, std::string_view value) {
    std::vector<std::uint8_t> header;
    if (!AppendStrictHex(value, header)) return Fail("header= needs hex bytes");
    std::size_t minimum =
        file.IsDirectory() ? CSimFile::MinDirectoryHeaderLength : CSimFile::MinEfHeaderLength;
    if (header.size() < minimum || header.size() > CSimFile::MaxHeaderLength)
        return Fail("header= needs " + std::to_string(minimum) + " to " +
                    std::to_string(CSimFile::MaxHeaderLength) + " bytes, not " +
                    std::to_string(header.size()));
    file.SetHeaderTemplate(std::move(header));
    return true;
}

bool CProfileParser::ParseBytes(const Tokens& tokens, std::size_t first,
                                std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = first; i < tokens.size(); ++i) {
        std::string_view token = tokens[i];
        if (token.size() >= 2 && token.front() == '"') {
            token = token.substr(1, token.size() - 2);
            bytes.insert(bytes.end(), token.begin(), token.end());
        } else if (!AppendStrictHex(token, bytes)) {
            return Fail("'" + std::string(token) + "' is neither hex bytes nor \"text\"");
        }
    }
    return true;
}

bool CProfileParser::ParseData(const Tokens& tokens) {
    if (!m_pEf || m_pEf->IsRecordFile())
        return Fail("data belongs under an ef line of a transparent file");
    std::vector<std::uint8_t> bytes;
    if (!ParseBytes(tokens, 1, bytes)) return false;
    if (m_nDataFill + bytes.size() > m_pEf->GetSize())
        return Fail("data longer than the file size " + std::to_string(m_pEf->GetSize()));
    std::copy(bytes.begin(), bytes.end(), m_pEf->GetBytes(m_nDataFill));
    m_nDataFill += bytes.size();
    return true;
}

bool CProfileParser::ParseRecord(const Tokens& tokens) {
    if (!m_pEf || !m_pEf->IsRecordFile())
        return Fail("record belongs under an ef line of a linear or cyclic file");
    std::size_t number = 0;
    if (tokens.size() < 2 || !ParseNumber(tokens[1], number) || number == 0 ||
        number > m_pEf->GetRecordCount())
        return Fail("record needs a number from 1 to " + std::to_string(m_pEf->GetRecordCount()));
    std::vector<std::uint8_t> bytes;
    if (!ParseBytes(tokens, 2, bytes)) return false;
    std::size_t& fill = m_recordFill[number];
    if (fill + bytes.size() > m_pEf->GetRecordLength())
        return Fail("record " + std::to_string(number) + " longer than the record length " +
                    std::to_string(m_pEf->GetRecordLength()));
    std::copy(bytes.begin(), bytes.end(), m_pEf->GetRecord(number) + fill);
    fill += bytes.size();
    return true;
}
