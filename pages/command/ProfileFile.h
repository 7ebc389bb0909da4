// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// An INI file read and written the way the private-profile functions do: sections and
// keys match without regard to case, blanks around keys and values are trimmed, one pair
// of surrounding quotes is stripped, and the first of duplicate keys wins. Writing a key
// changes only the bytes of its value (or adds one line), so the user's comments, spacing
// and line endings survive; new lines end with CR LF.
class CProfileFile {
public:
    explicit CProfileFile(QString strPath);

    // Reads the whole file. A missing file reads as empty and is not an error.
    bool Load();
    // Writes through a temporary file that replaces the old one only when complete.
    bool Save() const;

    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;
    // Leading decimal digits of the value; def when the key is absent or empty.
    unsigned GetInt(std::string_view section, std::string_view key, unsigned def) const;

    // Changes the text in memory; Save() puts it on disk. CR and LF are dropped from the
    // value because they would split the line.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const { return m_strBytes; }
    const QString& Path() const { return m_strPath; }

private:
    // Where each section's keys first appear, found in one pass: without it every lookup
    // reads the whole file, and a Command.INI of a million lines takes minutes to load.
    using KeyIndex = std::unordered_map<std::string, std::pair<std::size_t, std::size_t>>;
    const KeyIndex& Index() const;

    QString m_strPath;
    std::string m_strBytes;
    mutable KeyIndex m_index;
    mutable bool m_bIndexed = false;
};
