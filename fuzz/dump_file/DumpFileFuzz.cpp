// SPDX-License-Identifier: GPL-3.0-or-later
// The dump file's reader on any bytes: it refuses with a message or gives a dump that writes
// back to a file it reads the same, with every directory before its files and no header,
// content or record longer than a card can hold. The codes file's lines on the same bytes.
#include "CodesFile.h"
#include "DumpJson.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(pData), static_cast<qsizetype>(size));
    QString error;
    const std::optional<CCardDump> dump = CDumpJson::FromJson(bytes, "fuzz.json", error);
    FuzzCheck(dump.has_value() == error.isEmpty(), "a refusal says why, an accepted dump does not");
    FuzzCheck(dump || error.startsWith("fuzz.json: "), "the message names the file");
    if (dump) {
        std::set<std::string> seen;
        for (const CDumpedFile& file : dump->m_files) {
            FuzzCheck(file.ParentPath().empty() || seen.count(file.ParentPath()) == 1,
                      "a directory comes before its files");
            FuzzCheck(seen.insert(file.m_strPath).second, "no path twice");
            FuzzCheck(file.m_header.size() <= 255 && file.m_contents.size() <= 0xFFFF &&
                          file.m_records.size() <= 255,
                      "nothing longer than a card holds");
            file.Header();
        }
        const QByteArray written = CDumpJson::ToJson(*dump);
        const std::optional<CCardDump> again = CDumpJson::FromJson(written, "again.json", error);
        FuzzCheck(again && CDumpJson::ToJson(*again) == written, "what is written reads back the same");
        dump->LeastApdus();
    }
    std::map<std::string, std::string> codes;
    std::string codesError;
    CCodesFile::Parse(bytes.toStdString(), "codes", codes, codesError);
    return 0;
}
