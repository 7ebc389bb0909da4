// SPDX-License-Identifier: GPL-3.0-or-later
// A script or export file as a user may have edited it: its lines survive a save and a
// read byte for byte, and an export file read back as the golden file of a run matches
// the rows it was written from.
#include "FuzzCheck.h"
#include "GoldenCheck.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Rows as an export line holds them: command;sw or command;sw;data. Lines with no status
// word are left out, as an export leaves out rows that did not run.
CScriptRowVector ExportedRows(const std::vector<std::string>& lines) {
    CScriptRowVector rows;
    for (const std::string& line : lines) {
        const std::size_t first = line.find(';');
        if (first == std::string::npos) continue;
        const std::size_t second = line.find(';', first + 1);
        const std::string statusWord = line.substr(
            first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        if (statusWord.empty()) continue;
        CScriptRowVector::SRow row;
        row.strCommand = line.substr(0, first);
        row.strStatusWord = statusWord;
        if (second != std::string::npos) row.strDataOut = line.substr(second + 1);
        rows.Rows().push_back(row);
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    static QTemporaryDir s_dir;
    const std::vector<std::string> lines =
        CScriptFile::SplitLines(std::string_view(reinterpret_cast<const char*>(pData), size));

    const QString scriptPath = s_dir.filePath("fuzz.scp");
    std::vector<std::string> reread;
    FuzzCheck(CScriptFile::WriteScript(scriptPath, CScriptRowVector(lines), nullptr) &&
                  CScriptFile::Read(scriptPath, reread, nullptr) && reread == lines,
              "script lines survive save and read");

    const CScriptRowVector rows = ExportedRows(lines);
    const QString logPath = s_dir.filePath("fuzz.log");
    std::vector<std::string> golden;
    FuzzCheck(CScriptFile::WriteExport(logPath, rows, nullptr) &&
                  CScriptFile::Read(logPath, golden, nullptr) &&
                  golden.size() == rows.Rows().size(),
              "one export line per row with a status word");
    FuzzCheck(CGoldenCheck::Compare(golden, rows).empty(), "an export matches its own rows");
    return 0;
}
