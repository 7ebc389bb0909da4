// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardArguments.h"

#include "StrictHex.h"

#include <algorithm>
#include <vector>

namespace {

std::string PathsOf(const std::vector<const CCatalogueEntry*>& entries) {
    std::string paths;
    for (const CCatalogueEntry* pEntry : entries)
        paths += (paths.empty() ? "" : ", ") + PathOf(*pEntry);
    return paths;
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
    if (const CCatalogueEntry* pNamed = FindFileByName(id)) return pNamed;
    std::uint16_t value = 0;
    for (char c : id) value = static_cast<std::uint16_t>(value << 4 | (HexDigitValue(c) & 0xF));
    const bool hex = id.size() == 4 && std::all_of(id.begin(), id.end(),
                                                   [](char c) { return HexDigitValue(c) >= 0; });
    if (!hex) {
        error = "'" + id +
                "' is neither a file id of four hex digits, a path such as 3F00\\7F20\\6F07 "
                "nor a file name such as IMSI";
        return nullptr;
    }
    const std::vector<const CCatalogueEntry*> found = FindFilesById(value);
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
