// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "AtomicFile.h"
#include "ByteText.h"

#include <QFile>

#include <utility>

namespace {

constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// One line of the file as both the reader and the writer see it. A key line is one with
// '=' that is no comment; whether it belongs to a section is the caller's business.
struct SIniLine {
    enum class EKind { Other, Section, Key };
    EKind eKind = EKind::Other;
    std::string_view name;       // the section's name or the key, trimmed
    std::size_t valueBegin = 0;  // a key's first non-blank byte after '='
    std::size_t contentEnd = 0;  // before CR LF or LF
    std::size_t end = 0;         // after the line end
    bool bHasBreak = false;
};

SIniLine ReadLine(const std::string& bytes, std::size_t begin) {
    SIniLine line;
    const std::size_t lineFeed = bytes.find('\n', begin);
    line.bHasBreak = lineFeed != std::string::npos;
    line.end = line.bHasBreak ? lineFeed + 1 : bytes.size();
    line.contentEnd = line.bHasBreak ? lineFeed : bytes.size();
    if (line.contentEnd > begin && bytes[line.contentEnd - 1] == '\r') --line.contentEnd;
    const std::string_view content(bytes.data() + begin, line.contentEnd - begin);
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() == ';') return line;
    if (trimmed.front() == '[') {
        const std::string_view name = trimmed.substr(1);
        line.eKind = SIniLine::EKind::Section;
        line.name = Trim(name.substr(0, name.find(']')));
        return line;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return line;
    line.eKind = SIniLine::EKind::Key;
    line.name = Trim(content.substr(0, equals));
    line.valueBegin = begin + equals + 1;
    while (line.valueBegin < line.contentEnd && IsBlank(bytes[line.valueBegin])) ++line.valueBegin;
    return line;
}

// What a write of one section and key finds in the bytes.
struct CLookup {
    // From the value's first non-blank character to the end of the line's content.
    std::optional<std::pair<std::size_t, std::size_t>> value;
    bool bSectionFound = false;
    std::size_t insertAt = 0;        // just after the last key line of the first such section
    bool bInsertNeedsBreak = false;  // that line is the file's last and has no line end
};

CLookup Find(const std::string& bytes, std::string_view section, std::string_view key) {
    CLookup result;
    bool bInSection = false;
    bool bFirstSection = false;
    for (std::size_t begin = 0; begin < bytes.size() && !result.value;) {
        const SIniLine line = ReadLine(bytes, begin);
        begin = line.end;
        if (line.eKind == SIniLine::EKind::Section) {
            bInSection = EqualNoCase(line.name, section);
            // New keys go to the first section of that name, the one that is read.
            bFirstSection = bInSection && !result.bSectionFound;
            if (bFirstSection) result.bSectionFound = true;
        } else if (line.eKind != SIniLine::EKind::Key || !bInSection) {
            continue;
        }
        if (bFirstSection) {
            result.insertAt = line.end;
            result.bInsertNeedsBreak = !line.bHasBreak;
        }
        if (line.eKind == SIniLine::EKind::Key && EqualNoCase(line.name, key))
            result.value = std::make_pair(line.valueBegin, line.contentEnd);
    }
    return result;
}

// What closes an unterminated last line: after a lone CR only the LF is missing, and a
// second CR would end up in that line's value.
std::string_view LineEndAfter(const std::string& bytes) {
    return !bytes.empty() && bytes.back() == '\r' ? std::string_view("\n") : kNewLine;
}

std::string IndexKey(std::string_view section, std::string_view key) {
    return LowerAscii(section) + '\n' + LowerAscii(key);
}

std::string WithoutLineBreaks(std::string_view value) {
    std::string result;
    result.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n') result += c;
    }
    return result;
}

}  // namespace

CProfileFile::CProfileFile(QString strPath) : m_strPath(std::move(strPath)) {}

bool CProfileFile::Load() {
    m_strBytes.clear();
    m_bIndexed = false;
    QFile file(m_strPath);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    m_strBytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

bool CProfileFile::Save() const {
    return CAtomicFile::WriteBytes(m_strPath, m_strBytes);
}

// Every key at once, read as a write finds it; the first occurrence of a key in any
// section of that name wins.
const CProfileFile::KeyIndex& CProfileFile::Index() const {
    if (m_bIndexed) return m_index;
    m_index.clear();
    std::string_view section;
    bool bInSection = false;
    for (std::size_t begin = 0; begin < m_strBytes.size();) {
        const SIniLine line = ReadLine(m_strBytes, begin);
        begin = line.end;
        if (line.eKind == SIniLine::EKind::Section) {
            section = line.name;
            bInSection = true;
        } else if (bInSection && line.eKind == SIniLine::EKind::Key) {
            m_index.emplace(IndexKey(section, line.name),
                            std::make_pair(line.valueBegin, line.contentEnd));
        }
    }
    m_bIndexed = true;
    return m_index;
}

std::optional<std::string> CProfileFile::GetString(std::string_view section,
                                                   std::string_view key) const {
    const KeyIndex& index = Index();
    const auto found = index.find(IndexKey(section, key));
    if (found == index.end()) return std::nullopt;
    const std::string_view raw(m_strBytes.data() + found->second.first,
                               found->second.second - found->second.first);
    return std::string(StripQuotes(Trim(raw)));
}

std::string CProfileFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
    return GetString(section, key).value_or(std::string(def));
}

unsigned CProfileFile::GetInt(std::string_view section, std::string_view key, unsigned def) const {
    const std::optional<std::string> value = GetString(section, key);
    if (!value || value->empty()) return def;
    unsigned long long number = 0;
    for (char c : *value) {
        if (c < '0' || c > '9') break;
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > 0xFFFFFFFFull) return 0xFFFFFFFFu;  // saturate rather than wrap
    }
    return static_cast<unsigned>(number);
}

void CProfileFile::SetString(std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::string cleanValue = WithoutLineBreaks(value);
    m_bIndexed = false;
    const CLookup lookup = Find(m_strBytes, section, key);
    if (lookup.value) {
        m_strBytes.replace(lookup.value->first, lookup.value->second - lookup.value->first,
                           cleanValue);
        return;
    }
    std::string line = std::string(key) + "=" + cleanValue + std::string(kNewLine);
    if (lookup.bSectionFound) {
        if (lookup.bInsertNeedsBreak) line.insert(0, LineEndAfter(m_strBytes));
        m_strBytes.insert(lookup.insertAt, line);
        return;
    }
    if (!m_strBytes.empty() && m_strBytes.back() != '\n') m_strBytes += LineEndAfter(m_strBytes);
    m_strBytes += "[" + std::string(section) + "]" + std::string(kNewLine) + line;
}
