// SPDX-License-Identifier: GPL-3.0-or-later
// Command.INI as a user may have edited it, read and then written the way the Command
// page keeps its recent list: the key reads back as written, and every other line of the
// file survives (one line changed, or at most a section and a key line added).
//
// Input: section LF key LF value LF, then the file's bytes. Section and key keep their
// letters and digits only, as the program's own names do.
#include "FuzzCheck.h"
#include "ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string_view NextField(std::string_view& input, bool& bFound) {
    const std::size_t end = input.find('\n');
    bFound = end != std::string_view::npos;
    const std::string_view field = input.substr(0, end);
    input.remove_prefix(bFound ? end + 1 : input.size());
    return field;
}

std::string Name(std::string_view field) {
    std::string name;
    for (char c : field) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

// The lines' text without LF and one CR before it: a last line that gains its line end
// is still the same line.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

// How many lines differ between the common head and the common tail of the two files.
std::pair<std::size_t, std::size_t> ChangedLines(const std::vector<std::string_view>& before,
                                                 const std::vector<std::string_view>& after) {
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return {before.size() - head - tail, after.size() - head - tail};
}

bool ReadsAsWritten(std::string_view value) {
    if (value.empty()) return true;
    const char first = value.front();
    const char last = value.back();
    const bool bQuoted = value.size() >= 2 && first == last && (first == '"' || first == '\'');
    return !bQuoted && first != ' ' && first != '\t' && last != ' ' && last != '\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    static QTemporaryDir s_dir;
    std::string_view input(reinterpret_cast<const char*>(pData), size);
    bool bSection = false, bKey = false, bValue = false;
    const std::string section = Name(NextField(input, bSection));
    const std::string key = Name(NextField(input, bKey));
    std::string value(NextField(input, bValue));
    if (!bValue || section.empty() || key.empty()) return 0;
    value.erase(std::remove(value.begin(), value.end(), '\r'), value.end());

    const QString path = s_dir.filePath("Command.INI");
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(input.data(), static_cast<qint64>(input.size()));
    file.close();

    CProfileFile profile(path);
    FuzzCheck(profile.Load(), "load");
    profile.GetInt(section, key, 7);
    profile.SetString(section, key, value);
    FuzzCheck(profile.Save(), "save");

    CProfileFile reread(path);
    FuzzCheck(reread.Load() && reread.Bytes() == profile.Bytes(), "saved bytes read back");
    const std::optional<std::string> stored = reread.GetString(section, key);
    FuzzCheck(stored.has_value(), "written key is found");
    if (ReadsAsWritten(value)) FuzzCheck(*stored == value, "written value reads back");

    const auto [nBefore, nAfter] = ChangedLines(Lines(input), Lines(reread.Bytes()));
    FuzzCheck(nBefore <= 1 && nAfter <= 2 && (nBefore == 0 || nAfter == 1),
              "only the key's line changes, or a key line (and its section) is added");
    return 0;
}
