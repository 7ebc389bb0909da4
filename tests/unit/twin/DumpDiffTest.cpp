// SPDX-License-Identifier: GPL-3.0-or-later
// Comparison: each kind of difference gives its line (by file, record and decoded field;
// headers, code states, status words, the ATR), and equal dumps none.

#include "TwinFixture.h"

#include <functional>

namespace {

TEST(DumpDiff, NamesEachDifferenceByFileRecordAndField) {
    CCardDump base = DumpOf(DefaultProfileText());
    // A file no decoder knows.
    CDumpedFile extra;
    extra.m_strPath = "3F00\\6F01";
    extra.m_strSelectStatus = "9F0F";
    extra.m_header = FromHex("0000 0004 6F01 04 00 00 F0 44 01 02 00 00");
    extra.m_strReadStatus = "9000";
    extra.m_contents = {0x01, 0x02, 0x03, 0x04};
    base.m_files.insert(base.m_files.begin() + 1, extra);
    EXPECT_TRUE(CDumpDiff(base, base).IsSame());
    const struct {
        const char* name;
        std::function<void(CCardDump&)> change;
        std::string expected;
    } cases[] = {
        {"a decoded field",
         [](CCardDump& d) {
             CBytes& spn = d.Find("3F00\\7F20\\6F46")->m_contents;
             spn.assign(17, 0xFF);
             spn[0] = 0x01;
             spn[1] = 'A';
             spn[2] = 'B';
         },
         "EF SPN: Service provider name \"Fictel Mobile\" → \"AB\"\n"},
        {"bytes no decoder tells apart",
         [](CCardDump& d) {
             d.Find("3F00\\6F01")->m_contents[1] = 0x12;
             d.Find("3F00\\6F01")->m_contents[2] = 0x13;
         },
         "3F00\\6F01: bytes 2 to 3 0203 → 1213\n"},
        {"a record", [](CCardDump& d) { d.Find("3F00\\7F10\\6F3A")->m_records[1][0] = 'R'; },
         "EF ADN record 2: Alpha identifier \"Bob Fictional\" → \"Rob Fictional\"\n"},
        {"a code state", [](CCardDump& d) { d.Find("3F00\\7F20")->m_header[18] = 0x82; },
         "DF GSM: CHV1 3 attempts left → 2 attempts left\n"},
        {"an access condition and the status",
         [](CCardDump& d) {
             CBytes& header = d.Find("3F00\\7F20\\6F07")->m_header;
             header[8] = 0x24;
             header[11] = 0x00;
         },
         "EF IMSI: READ CHV1 → CHV2\nEF IMSI: status not invalidated → invalidated\n"},
        {"header bytes no field reads", [](CCardDump& d) { d.Find("3F00")->m_header[0] = 0x01; },
         ""},  // filled below: the whole header in hex
        {"a refusal",
         [](CCardDump& d) {
             CDumpedFile* pFile = d.Find("3F00\\7F20\\6F07");
             pFile->m_strReadStatus = "9804";
             pFile->m_contents.clear();
         },
         "EF IMSI: read 9000 → 9804\n"},
        {"a file only in one", [](CCardDump& d) { d.m_files.pop_back(); }, ""},
        {"the ATR",
         [](CCardDump& d) {
             d.m_atr = {0x3B, 0x00};
         },
         "ATR: (none) → 3B00\n"},
        {"when and by what: not a difference",
         [](CCardDump& d) {
             d.m_strTaken = "2030-01-01T00:00:00Z";
             d.m_strProgram = "other";
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CCardDump changed = base;
        c.change(changed);
        const CDumpDiff diff(base, changed);
        std::string expected = c.expected;
        if (std::string(c.name) == "header bytes no field reads") {
            const CBytes& header = base.Find("3F00")->m_header;
            expected = "MF: header " + BytesToHex(header.data(), header.size()) + " → 01" +
                       BytesToHex(header.data() + 1, header.size() - 1) + "\n";
        } else if (std::string(c.name) == "a file only in one") {
            const CDumpedFile& last = base.m_files.back();
            expected = last.m_strName + " (" + last.m_strPath + "): only in the first\n";
        }
        EXPECT_EQ(Lines(diff.Lines()), expected);
    }
}

}  // namespace
