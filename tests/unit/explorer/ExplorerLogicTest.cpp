// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessText.h"
#include "CodeCommand.h"
#include "ExplorerTree.h"
#include "FieldByteMap.h"
#include "StrictHex.h"
#include "ValueEditor.h"
#include "WritePlan.h"

#include <gtest/gtest.h>

namespace {

CBytes Bytes(std::initializer_list<int> values) {
    CBytes bytes;
    for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

// A GET RESPONSE answer of an EF: size, id, structure, record length, READ|UPDATE access.
CBytes EfHeader(std::uint16_t size, std::uint16_t id, int structure, int recordLength, int access = 0x11) {
    return Bytes({0, 0, size >> 8, size & 0xFF, id >> 8, id & 0xFF, 0x04, 0, access, 0x44, 0x44, 0x01,
                  0x02, structure, recordLength});
}

CDumpedFile Ef(const std::string& path, const std::string& name, CBytes header) {
    CDumpedFile file;
    file.m_strPath = path;
    file.m_strName = name;
    file.m_strSelectStatus = "9F0F";
    file.m_header = std::move(header);
    file.m_strReadStatus = "9000";
    return file;
}

CDumpedFile Df(const std::string& path, const std::string& name) {
    CDumpedFile file;
    file.m_strPath = path;
    file.m_strName = name;
    file.m_strSelectStatus = "9F16";
    file.m_header = Bytes({0, 0, 0x04, 0, path[path.size() - 4] == '3' ? 0x3F : 0x7F, 0x20, 0x02,
                           0, 0, 0, 0, 0, 0x09, 0x00, 0, 3, 4, 0, 0x83, 0x8A, 0x83, 0x8A, 0});
    return file;
}

CCardDump SmallCard() {
    CCardDump dump;
    dump.m_files.push_back(Df("3F00", "MF"));
    dump.m_files.push_back(Df("3F00\\7F20", "DF GSM"));
    CDumpedFile imsi = Ef("3F00\\7F20\\6F07", "EF IMSI", EfHeader(9, 0x6F07, 0, 0));
    imsi.m_contents = Bytes({0x08, 0x09, 0x10, 0x10, 0x10, 0x32, 0x54, 0x76, 0x98});
    dump.m_files.push_back(imsi);
    CDumpedFile unknown = Ef("3F00\\7F20\\6F99", "", EfHeader(2, 0x6F99, 0, 0));
    unknown.m_contents = Bytes({1, 2});
    dump.m_files.push_back(unknown);
    CDumpedFile refused = Ef("3F00\\7F20\\6F20", "EF Kc", EfHeader(9, 0x6F20, 0, 0));
    refused.m_strReadStatus = "9804";
    dump.m_files.push_back(refused);
    dump.m_files.push_back(Df("3F00\\7F10", "DF TELECOM"));
    CDumpedFile adn = Ef("3F00\\7F10\\6F3A", "EF ADN", EfHeader(3 * 4, 0x6F3A, 1, 4));
    adn.m_records = {Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Bytes({0x41, 0xFF, 0xFF, 0xFF}),
                     Bytes({0xFF, 0xFF, 0xFF, 0xFF})};
    dump.m_files.push_back(adn);
    CDumpedFile sms = Ef("3F00\\7F10\\6F3C", "EF SMS", EfHeader(2 * 3, 0x6F3C, 1, 3));
    sms.m_records = {Bytes({0x00, 0x12, 0x34}), Bytes({0x01, 0x12, 0x34})};  // free, read
    dump.m_files.push_back(sms);
    return dump;
}

}  // namespace

TEST(ExplorerTree, LabelsNameEachFileAndSayWhatItHolds) {
    const CExplorerTree tree = CExplorerTree::Build(SmallCard(), false);
    const struct {
        const char* path;
        const char* label;
    } cases[] = {
        {"3F00", "MF"},
        {"3F00\\7F20\\6F07", "EF IMSI 001010123456789"},
        {"3F00\\7F20\\6F99", "EF 6F99"},
        {"3F00\\7F20\\6F20", "EF Kc (read refused, 9804)"},
        {"3F00\\7F10\\6F3A", "EF ADN 1 of 3 used"},
        {"3F00\\7F10\\6F3C", "EF SMS 1 of 2 used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const int node = tree.Find(c.path);
        ASSERT_GE(node, 0);
        EXPECT_EQ(tree.Nodes()[node].m_strLabel, c.label);
    }
    EXPECT_EQ(tree.Nodes().size(), SmallCard().m_files.size());
}

TEST(ExplorerTree, ChildrenHangUnderTheirDirectoryAndTheCatalogueAddsUnreadFiles) {
    const CExplorerTree dumpTree = CExplorerTree::Build(SmallCard(), false);
    const int gsm = dumpTree.Find("3F00\\7F20");
    const int imsi = dumpTree.Find("3F00\\7F20\\6F07");
    ASSERT_GE(gsm, 0);
    EXPECT_EQ(dumpTree.Nodes()[imsi].m_nParent, gsm);
    EXPECT_EQ(dumpTree.Nodes()[dumpTree.Find("3F00")].m_nParent, -1);
    EXPECT_EQ(dumpTree.Find("3F00\\7F20\\6F46"), -1);

    const CExplorerTree liveTree = CExplorerTree::Build(SmallCard(), true);
    const int spn = liveTree.Find("3F00\\7F20\\6F46");
    ASSERT_GE(spn, 0);
    EXPECT_EQ(liveTree.Nodes()[spn].m_nFile, -1);
    EXPECT_EQ(liveTree.Nodes()[spn].m_strLabel, "EF SPN");
    EXPECT_EQ(liveTree.Nodes()[spn].m_nParent, liveTree.Find("3F00\\7F20"));
    // A file beyond the catalogue still comes in, once.
    EXPECT_GE(liveTree.Find("3F00\\7F20\\6F99"), 0);
}

TEST(FieldByteMap, TheNarrowestFieldOwnsAByteAndEdgesBelongInside) {
    const CFieldByteMap map({{"Number", "", 2, 4, }, {"Digits", "", 3, 3}, {"Name", "", 0, 2}});
    const struct {
        std::size_t offset;
        int field;
    } cases[] = {{0, 2}, {1, 2}, {2, 0}, {3, 1}, {5, 1}, {6, -1}, {100, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(map.FieldAt(c.offset), c.field);
    }
    std::size_t first = 9, count = 9;
    map.BytesOf(1, first, count);
    EXPECT_EQ(first, 3u);
    EXPECT_EQ(count, 3u);
    map.BytesOf(3, first, count);
    EXPECT_EQ(count, 0u);
}

TEST(AccessText, EachConditionAgainstTheCodesPresented) {
    CCodeStates chv1;
    chv1.m_verified = {"CHV1"};
    CCodeStates disabled;
    disabled.m_bChv1Disabled = true;
    const CCodeStates none;
    const struct {
        std::uint8_t nibble;
        const CCodeStates* states;
        const char* line;
    } cases[] = {
        {0x0, &none, "READ: ALW"},
        {0x1, &none, "READ: CHV1, not verified"},
        {0x1, &chv1, "READ: CHV1, verified"},
        {0x1, &disabled, "READ: CHV1, disabled (granted)"},
        {0x2, &chv1, "READ: CHV2, not verified"},
        {0x4, &none, "READ: ADM0, not verified"},
        {0xE, &none, "READ: ADM10, not verified"},
        {0xF, &chv1, "READ: NEV"},
        {0x3, &none, "READ: RFU"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(CAccessText::Line("READ", c.nibble, *c.states), c.line);
    }
    CFileHeader header = *CFileHeader::Parse(EfHeader(9, 0x6F07, 0, 0, 0x14));
    EXPECT_EQ(CAccessText::Lines(header, chv1),
              (std::vector<std::string>{"READ: CHV1, verified", "UPDATE: ADM0, not verified",
                                        "INVALIDATE: ADM0, not verified",
                                        "REHABILITATE: ADM0, not verified"}));
}

TEST(WritePlan, ChangedBytesRecordsAndCyclicFiles) {
    CDumpedFile binary = Ef("3F00\\7F20\\6F07", "EF IMSI", EfHeader(300, 0x6F07, 0, 0));
    binary.m_contents.assign(300, 0x11);
    CBytes edited = binary.m_contents;
    edited[3] = 0x22;
    std::string error;
    CWritePlan plan = CWritePlan::Make(binary, 0, edited, error);
    EXPECT_EQ(plan.m_select, (std::vector<std::string>{"A0A40000023F00", "A0A40000027F20", "A0A40000026F07"}));
    EXPECT_EQ(plan.m_write, std::vector<std::string>{"A0D6000301" "22"});
    EXPECT_EQ(plan.m_readBack, std::vector<std::string>{"A0B0000301"});

    // Bytes 3 to 265 changed: 263 bytes in two writes, 255 and 8.
    for (std::size_t i = 10; i < 266; ++i) edited[i] = 0x33;
    plan = CWritePlan::Make(binary, 0, edited, error);
    ASSERT_EQ(plan.m_write.size(), 2u);
    EXPECT_EQ(plan.m_write[0].substr(0, 10), "A0D60003FF");
    EXPECT_EQ(plan.m_write[1], "A0D6010208" + std::string(16, '3'));
    EXPECT_EQ(plan.m_expected.size(), 263u);

    CDumpedFile linear = Ef("3F00\\7F10\\6F3A", "EF ADN", EfHeader(8, 0x6F3A, 1, 4));
    plan = CWritePlan::Make(linear, 2, Bytes({1, 2, 3, 4}), error);
    EXPECT_EQ(plan.m_write, std::vector<std::string>{"A0DC020404" "01020304"});
    EXPECT_EQ(plan.m_readBack, std::vector<std::string>{"A0B2020404"});
    EXPECT_EQ(plan.Differences({Bytes({1, 2, 3, 4})}), std::vector<std::size_t>{});
    EXPECT_EQ(plan.Differences({Bytes({1, 9, 3})}), (std::vector<std::size_t>{1, 3}));

    CDumpedFile cyclic = Ef("3F00\\7F10\\6F44", "EF LND", EfHeader(8, 0x6F44, 3, 4));
    plan = CWritePlan::Make(cyclic, 2, Bytes({1, 2, 3, 4}), error);
    EXPECT_EQ(plan.m_write, std::vector<std::string>{"A0DC000304" "01020304"});
    EXPECT_EQ(plan.m_readBack, std::vector<std::string>{"A0B2010404"});
}

TEST(WritePlan, RefusesWhatDoesNotFit) {
    CDumpedFile linear = Ef("3F00\\7F10\\6F3A", "EF ADN", EfHeader(8, 0x6F3A, 1, 4));
    CDumpedFile binary = Ef("3F00\\7F20\\6F07", "EF IMSI", EfHeader(2, 0x6F07, 0, 0));
    binary.m_contents = Bytes({1, 2});
    const struct {
        const CDumpedFile* file;
        std::size_t record;
        CBytes bytes;
        const char* error;
    } cases[] = {
        {&linear, 1, Bytes({1, 2, 3}), "A record of this file has 4 bytes"},
        {&linear, 0, Bytes({1, 2, 3, 4}), "No record 0 in this file"},
        {&linear, 3, Bytes({1, 2, 3, 4}), "No record 3 in this file"},
        {&binary, 0, Bytes({1, 2, 3}), "The file holds 2 bytes"},
        {&binary, 0, Bytes({1, 2}), "Nothing changed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        std::string error;
        EXPECT_TRUE(CWritePlan::Make(*c.file, c.record, c.bytes, error).IsEmpty());
        EXPECT_EQ(error, c.error);
    }
    std::string error;
    EXPECT_FALSE(CWritePlan::Make(linear, 2, Bytes({1, 2, 3, 4}), error).IsEmpty());
    EXPECT_FALSE(CWritePlan::Make(binary, 0, Bytes({1, 3}), error).IsEmpty());
}

CBytes FromHex(const char* pHex) {
    CBytes bytes;
    EXPECT_TRUE(AppendStrictHex(pHex, bytes)) << pHex;
    return bytes;
}

// Each editor shows the current bytes as values, gives them back unchanged when nothing
// is typed (so an untouched value never writes), and encodes what is typed; only the bytes
// it does not show (here an ADN's extension id 05) stay as they were.
TEST(ValueEditor, ShowsTheValuesGivesThemBackAndEncodesWhatIsTyped) {
    const struct {
        const char* name;
        const char* current;
        std::size_t size;
        std::vector<std::string> shown;
        std::vector<std::string> typed;
        const char* encoded;
    } cases[] = {
        {"EF ADN", "426F62FF" "03812143FFFFFFFFFFFFFFFF" "FF05", 18, {"Bob", "1234"}, {"Al", "+4412"},
         "416CFFFF" "03914421FFFFFFFFFFFFFFFF" "FF05"},
        {"EF SPN", "01436F7276FFFFFFFFFFFFFFFFFFFFFFFF", 17, {"Corv", "01"}, {"X", "00"},
         "0058FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
        {"EF IMSI", "080910101032547698", 9, {"001010123456789"}, {"2620112345"}, "062126102143F5FFFF"},
        {"EF FPLMN", "00F110FFFFFF32F451FFFFFF", 12, {"001-01, unused, 234-15"}, {"999-99, 001-01,001-02 , 001-03"},
         "99F99900F11000F12000F130"},
        {"EF FPLMN", "00F110FFFFFFFFFFFFFFFFFF", 12, {"001-01"}, {""}, "FFFFFFFFFFFFFFFFFFFFFFFF"},
        {"EF PLMNwAcT", "00F1108000FFFFFFFFFF", 10, {"001-01/8000"}, {"001-01/0080, 234-15/8080"},
         "00F110008032F4518080"},
        {"EF LP", "0100FF", 3, {"English, German"}, {"french, 2F"}, "032FFF"},
        {"EF ELP", "656EFFFF", 4, {"en"}, {"de, fr"}, "64656672"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CBytes current = FromHex(c.current);
        const std::optional<CValueEditor> editor = CValueEditor::For(c.name, current, c.size);
        ASSERT_TRUE(editor);
        std::vector<std::string> shown;
        for (const CValueEditor::CInput& input : editor->Inputs()) shown.push_back(input.m_strValue);
        EXPECT_EQ(shown, c.shown);
        CBytes bytes;
        std::string error;
        ASSERT_TRUE(editor->Encode(shown, bytes, error)) << error;
        EXPECT_EQ(bytes, current);
        ASSERT_TRUE(editor->Encode(c.typed, bytes, error)) << error;
        EXPECT_EQ(bytes, FromHex(c.encoded));
    }
    EXPECT_FALSE(CValueEditor::For("EF Kc", FromHex("00"), 9));
}

TEST(ValueEditor, WhatCannotBeEncodedSaysWhyAndLeavesTheBytes) {
    const struct {
        const char* name;
        std::size_t size;
        std::vector<std::string> typed;
        const char* error;
    } cases[] = {
        {"EF SPN", 17, {"Corv", "1"}, "\"1\" is not two hex digits"},
        {"EF SPN", 17, {"A name of seventeen", "00"}, "the name does not fit in 16 bytes"},
        {"EF IMSI", 9, {"12345"}, "an IMSI has 6 to 15 digits"},
        {"EF FPLMN", 12, {"001-01, 001-02, 001-03, 001-04, 001-05"}, "the PLMNs take 15 bytes; the file has 12"},
        {"EF FPLMN", 12, {"001-1"}, "\"001-1\" is not a PLMN (MCC-MNC)"},
        {"EF PLMNwAcT", 10, {"001-01"}, "\"001-01\" is not a PLMN and its access technology (001-01/0080)"},
        {"EF LP", 3, {"Klingon"}, "\"Klingon\" is not a language"},
        {"EF LP", 1, {"English, German"}, "the languages take 2 bytes; the file has 1"},
        {"EF ELP", 4, {"EN"}, "\"EN\" is not a two-letter language code"},
        {"EF ADN", 18, {"Bob", "12x"}, nullptr},
        {"EF ADN", 18, {"Bob"}, "one text is needed for each value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed[0]);
        const std::optional<CValueEditor> editor = CValueEditor::For(c.name, CBytes(c.size, 0xFF), c.size);
        ASSERT_TRUE(editor);
        CBytes bytes = FromHex("AA");
        std::string error;
        EXPECT_FALSE(editor->Encode(c.typed, bytes, error));
        if (c.error) {
            EXPECT_EQ(error, c.error);
        }
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(bytes, FromHex("AA"));
    }
}

TEST(CodeCommand, ApdusOfEachOperationAndCodesRefused) {
    using Code = CCodeCommand::Code;
    std::string apdu;
    ASSERT_TRUE(CCodeCommand::Verify(Code::Chv1, "1234", apdu));
    EXPECT_EQ(apdu, "A02000010831323334FFFFFFFF");
    ASSERT_TRUE(CCodeCommand::Verify(Code::Adm, "0A0A0A0A0A0A0A0A", apdu));
    EXPECT_EQ(apdu, "A020000A080A0A0A0A0A0A0A0A");
    ASSERT_TRUE(CCodeCommand::Change(Code::Chv2, "5678", "87654321", apdu));
    EXPECT_EQ(apdu, "A02400021035363738FFFFFFFF3837363534333231");
    ASSERT_TRUE(CCodeCommand::Unblock(Code::Chv1, "12345678", "1234", apdu));
    EXPECT_EQ(apdu, "A02C0000103132333435363738" "31323334FFFFFFFF");
    ASSERT_TRUE(CCodeCommand::Disable("1234", apdu));
    EXPECT_EQ(apdu.substr(0, 10), "A026000108");
    ASSERT_TRUE(CCodeCommand::Enable("1234", apdu));
    EXPECT_EQ(apdu.substr(0, 10), "A028000108");

    EXPECT_EQ(CCodeCommand::Masked("A02000010831323334FFFFFFFF"), "A020000108****************");
    EXPECT_EQ(CCodeCommand::Masked("A02C00001031323334353637383132333435363738"), "A02C000010" + std::string(32, '*'));
    EXPECT_EQ(CCodeCommand::Masked("A0D6000004AABBCCDD"), "A0D6000004AABBCCDD");

    apdu = "untouched";
    EXPECT_FALSE(CCodeCommand::Verify(Code::Chv1, "123", apdu));
    EXPECT_FALSE(CCodeCommand::Verify(Code::Chv1, "123456789", apdu));
    EXPECT_FALSE(CCodeCommand::Verify(Code::Chv1, "12a4", apdu));
    EXPECT_FALSE(CCodeCommand::Verify(Code::Chv1, "0A0A0A0A0A0A0A0A", apdu));  // hex only for ADM
    EXPECT_FALSE(CCodeCommand::Unblock(Code::Chv1, "1234567", "1234", apdu));
    EXPECT_FALSE(CCodeCommand::Change(Code::Chv1, "1234", "12", apdu));
    EXPECT_EQ(apdu, "untouched");
}
