#include "ProfileFile.h"

#include "ByteText.h"

#include <QFile>
#include <QSaveFile>

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

// Where a key's value lies in the bytes: from its first non-blank character after '='
// to the end of the line's content (before CR LF or LF).
struct CValueSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// What one pass over the file finds for a section and key.
struct CLookup {
    std::optional<CValueSpan> value;
    bool bSectionFound = false;
    std::size_t insertAt = 0;        // just after the last key line of the first such section
    bool bInsertNeedsBreak = false;  // that line is the file's last and has no line end
};

class CLineScanner {
public:
    CLineScanner(const std::string& bytes, std::string_view section, std::string_view key)
        : m_bytes(bytes), m_section(section), m_key(key) {}

    CLookup Run() {
        std::size_t begin = 0;
        while (begin < m_bytes.size() && !m_result.value) {
            std::size_t end = m_bytes.find('\n', begin);
            const bool bHasBreak = end != std::string::npos;
            end = bHasBreak ? end + 1 : m_bytes.size();
            std::size_t contentEnd = bHasBreak ? end - 1 : end;
            if (contentEnd > begin && m_bytes[contentEnd - 1] == '\r') --contentEnd;
            ScanLine(begin, contentEnd, end, bHasBreak);
            begin = end;
        }
        return m_result;
    }

private:
    void ScanLine(std::size_t begin, std::size_t contentEnd, std::size_t end, bool bHasBreak) {
        const std::string_view content(m_bytes.data() + begin, contentEnd - begin);
        const std::string_view trimmed = Trim(content);
        if (trimmed.empty() || trimmed.front() == ';') return;
        if (trimmed.front() == '[') {
            OnSectionHeader(trimmed, end, bHasBreak);
            return;
        }
        const std::size_t equals = content.find('=');
        if (!m_bInSection || equals == std::string_view::npos) return;
        if (m_bFirstSection) MarkInsertPoint(end, bHasBreak);
        if (!EqualNoCase(Trim(content.substr(0, equals)), m_key)) return;
        std::size_t valueBegin = begin + equals + 1;
        while (valueBegin < contentEnd && IsBlank(m_bytes[valueBegin])) ++valueBegin;
        m_result.value = CValueSpan{valueBegin, contentEnd};
    }

    void OnSectionHeader(std::string_view trimmed, std::size_t end, bool bHasBreak) {
        std::string_view name = trimmed.substr(1);
        name = Trim(name.substr(0, name.find(']')));
        m_bInSection = EqualNoCase(name, m_section);
        // New keys go to the first section of that name, the one that is read.
        m_bFirstSection = m_bInSection && !m_result.bSectionFound;
        if (m_bFirstSection) {
            m_result.bSectionFound = true;
            MarkInsertPoint(end, bHasBreak);
        }
    }

    void MarkInsertPoint(std::size_t end, bool bHasBreak) {
        m_result.insertAt = end;
        m_result.bInsertNeedsBreak = !bHasBreak;
    }

    const std::string& m_bytes;
    std::string_view m_section;
    std::string_view m_key;
    bool m_bInSection = false;
    bool m_bFirstSection = false;
    CLookup m_result;
};

// What closes an unterminated last line: after a lone CR only the LF is missing, and a
// second CR would end up in that line's value.
std::string_view LineEndAfter(const std::string& bytes) {
    return !bytes.empty() && bytes.back() == '\r' ? std::string_view("\n") : kNewLine;
}

std::string IndexKey(std::string_view section, std::string_view key) {
    std::string text;
    text.reserve(section.size() + key.size() + 1);
    for (char c : section) text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    text += '\n';
    for (char c : key) text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
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
    QSaveFile file(m_strPath);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = static_cast<qint64>(m_strBytes.size());
    // commit() writes out what is still buffered without checking; the flush comes first
    // so that a file cut short by a full disk is never renamed over the good one.
    if (file.write(m_strBytes.data(), size) != size || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The same reading of lines, sections and keys as CLineScanner, for every key at once; the
// first occurrence of a key in any section of that name wins.
const CProfileFile::KeyIndex& CProfileFile::Index() const {
    if (m_bIndexed) return m_index;
    m_index.clear();
    std::string_view section;
    bool bInSection = false;
    for (std::size_t begin = 0; begin < m_strBytes.size();) {
        std::size_t end = m_strBytes.find('\n', begin);
        end = end == std::string::npos ? m_strBytes.size() : end + 1;
        std::size_t contentEnd = end;
        if (contentEnd > begin && m_strBytes[contentEnd - 1] == '\n') --contentEnd;
        if (contentEnd > begin && m_strBytes[contentEnd - 1] == '\r') --contentEnd;
        const std::string_view content(m_strBytes.data() + begin, contentEnd - begin);
        const std::string_view trimmed = Trim(content);
        const std::size_t equals = content.find('=');
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::string_view name = trimmed.substr(1);
            section = Trim(name.substr(0, name.find(']')));
            bInSection = true;
        } else if (bInSection && !trimmed.empty() && trimmed.front() != ';' &&
                   equals != std::string_view::npos) {
            std::size_t valueBegin = begin + equals + 1;
            while (valueBegin < contentEnd && IsBlank(m_strBytes[valueBegin])) ++valueBegin;
            m_index.emplace(IndexKey(section, Trim(content.substr(0, equals))),
                            std::make_pair(valueBegin, contentEnd));
        }
        begin = end;
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
    const CLookup lookup = CLineScanner(m_strBytes, section, key).Run();
    if (lookup.value) {
        m_strBytes.replace(lookup.value->begin, lookup.value->end - lookup.value->begin,
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
