#include "CardArguments.h"

#include "StrictHex.h"

#include <vector>

namespace {

std::string PathsOf(const std::vector<const CCatalogueEntry*>& entries) {
    std::string paths;
    for (const CCatalogueEntry* pEntry : entries)
        paths += (paths.empty() ? "" : ", ") + PathOf(*pEntry);
    return paths;
}

std::vector<const CCatalogueEntry*> FilesWithId(std::uint16_t id) {
    std::vector<const CCatalogueEntry*> found;
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (entry.m_nId == id) found.push_back(&entry);
    }
    return found;
}

}  // namespace

const CCatalogueEntry* ParseFileId(const QString& text, std::string& error) {
    const std::string id = text.toStdString();
    if (text.contains('\\') || text.contains('/')) {
        const CCatalogueEntry* pEntry = FindFileByPath(id);
        if (!pEntry)
            error = "unknown file " + id + " (a path of ids from 3F00, e.g. 3F00\\7F20\\6F07)";
        return pEntry;
    }
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 4 || value > 0xFFFF) {
        error = "'" + id +
                "' is neither a file id of four hex digits nor a path such as 3F00\\7F20\\6F07";
        return nullptr;
    }
    const std::vector<const CCatalogueEntry*> found =
        FilesWithId(static_cast<std::uint16_t>(value));
    if (found.empty()) error = "unknown file id " + id;
    if (found.size() > 1)
        error = "file id " + id + " is ambiguous: give the path (" + PathsOf(found) + ")";
    return found.size() == 1 ? found.front() : nullptr;
}

bool ParseHexBytes(const QStringList& parts, std::string& bytes, std::string& error) {
    std::string digits;
    for (const QString& part : parts) {
        for (const QChar c : part) {
            if (c != ' ' && c != '\t')
                digits += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
        }
    }
    if (digits.empty()) {
        error = "no hex bytes given";
        return false;
    }
    if (digits.size() % 2 != 0) {
        error = "odd number of hex digits (" + std::to_string(digits.size()) +
                "): bytes are digit pairs";
        return false;
    }
    std::vector<std::uint8_t> values;
    if (!AppendStrictHex(digits, values)) {
        for (char c : digits) {
            if (HexDigitValue(c) < 0) {
                error = std::string("'") + c + "' is not a hex digit";
                break;
            }
        }
        return false;
    }
    bytes.assign(values.begin(), values.end());
    return true;
}
