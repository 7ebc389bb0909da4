// SPDX-License-Identifier: GPL-3.0-or-later
// pySim fsdump JSON as input: a fsdump of the shipped card, in the shape pySim-shell writes
// (names from "MF" down, lower-case hex, records as lists, refusals as "error"), reads as
// the same dump and makes a working twin; what is not such a dump gets a message naming
// the file.

#include "FsdumpFixture.h"
#include "FsdumpJson.h"
#include "TwinFixture.h"

namespace {

TEST(FsdumpJson, AFsdumpOfTheCardReadsAsItsDumpAndMakesAWorkingTwin) {
    CCardDump original = DumpOf(DefaultProfileText());
    // One refusal, as pySim records it.
    CDumpedFile* pImsi = original.Find("3F00\\7F20\\6F07");
    pImsi->m_strReadStatus = "9804";
    pImsi->m_contents.clear();
    const QByteArray json = FsdumpOf(original);
    ASSERT_TRUE(CFsdumpJson::IsFsdump(json));
    QString error;
    const std::optional<CCardDump> read = CFsdumpJson::FromJson(json, "card.json", error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(read->m_strProgram, "pySim-shell fsdump");
    EXPECT_EQ(read->m_strReader, "Fictel test SIM");
    const CDumpDiff same(original, *read);
    EXPECT_TRUE(same.IsSame()) << Lines(same.Lines());

    const CDumpDiff twin(*read, DumpOf(TwinOf(*read)));
    // The twin's IMSI holds FF where pySim was refused, and the walk with the default codes
    // reads it: the one difference.
    EXPECT_EQ(Lines(twin.Lines()), "EF IMSI: read 9804 → 9000\n");
}

TEST(FsdumpJson, RefusesWhatIsNotAGsmSimFsdumpNamingTheFile) {
    const std::pair<QByteArray, std::string> cases[] = {
        {"[1, 2]", "x.json: not a pySim fsdump (no JSON object)"},
        {R"({"files": 3})", "x.json: \"files\" is neither an object nor a list"},
        {R"({"files": {"ADF.USIM": {"path": ["ADF.USIM"], "fcp_raw": "00"}}})",
         "x.json: ADF.USIM: not under the MF; only a GSM SIM's files are read"},
        {R"({"files": {"MF": {"path": ["MF"], "fcp_raw": "621e8202782183023f00"}}})",
         "x.json: MF: a UICC FCP template (62...), not a GSM SIM's GET RESPONSE; take the fsdump "
         "of the card as a GSM SIM"},
        {R"({"files": {"MF": {"path": ["MF"], "fcp_raw": "00zz"}}})",
         "x.json: MF: \"fcp_raw\" is not hex"},
        {R"({"files": {"MF": {"path": ["MF"], "fcp_raw": "0000"}}})",
         "x.json: MF: \"fcp_raw\" is not a GSM SIM file header"},
        {R"({"files": {"MF/DF.NONE/EF.X": {"fcp_raw": "000000016f01040000f04401020000", "body": "00"}}})",
         "x.json: MF/DF.NONE/EF.X: no id known for DF.NONE"},
        {R"({"files": {"MF/EF.ICCID": {"fcp_raw": "0000000a2fe2040000f04401020000", "body": ["00"]}}})",
         "x.json: MF/EF.ICCID: a transparent file whose body is not hex"},
    };
    for (const auto& [json, message] : cases) {
        SCOPED_TRACE(json.toStdString());
        QString error;
        EXPECT_FALSE(CFsdumpJson::FromJson(json, "x.json", error));
        EXPECT_EQ(error.toStdString(), message);
    }
}

}  // namespace
