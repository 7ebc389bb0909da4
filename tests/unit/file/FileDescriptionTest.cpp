#include "FileDescription.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// A directory's GET RESPONSE: memory, ID, type, then the DF and EF counts at bytes 15 and 16.
std::string DirectoryAnswer(const char* memory, const char* id, const char* type, const char* dfs,
                            const char* efs) {
    return std::string("0000") + memory + id + type + "0000000000" + "0D13" + dfs + efs +
           "0400838A838A9000";
}

// An EF's GET RESPONSE: size, ID, access bytes 9 to 11, status, structure, record length.
std::string EfAnswer(const char* size, const char* id, const char* access, const char* status,
                     const char* structure, const char* recordLength) {
    return std::string("0000") + size + id + "0400" + access + status + "02" + structure +
           recordLength + "9000";
}

struct SDescriptionCase {
    const char* pszName;
    std::string strAnswer;
    const char* pszProperties;
    FileMode eMode;
    bool bCyclic;
    const char* pszRange;
};

const SDescriptionCase kCases[] = {
    {"MF", DirectoryAnswer("0800", "3F00", "01", "02", "01"),
     "ID:   3F00\r\nType: MF\r\nAvailable Memory: 0800 Bytes\r\nInclude: 02 DFs, 01 EFs",
     FileMode::None, false, ""},
    {"DF", DirectoryAnswer("0400", "7F10", "02", "00", "05"),
     "ID:   7F10\r\nType: DF\r\nAvailable Memory: 0400 Bytes\r\nInclude: 00 DFs, 05 EFs",
     FileMode::None, false, ""},
    {"unknown type", DirectoryAnswer("1A2B", "7F20", "07", "00", "1A"),
     "ID:   7F20\r\nType: RFU\r\nAvailable Memory: 1A2B Bytes\r\nInclude: 00 DFs, 1A EFs",
     FileMode::None, false, ""},
    // Copied from the virtual card's answer for 3F00\7F20\6F07.
    {"transparent", "000000096F07040014F014010200009000",
     "ID:   6F07\r\nType: EF\r\nSize: 0009 Bytes\r\nStructure: transparent\r\n"
     "Status: not invalidated, not readable or updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM0> <INCREASE: NEV>\r\n"
     "                   <REHABILITATE: CHV1> <INVALIDATE: ADM0>",
     FileMode::Transparent, false, ""},
    {"linear fixed", EfAnswer("00B0", "6F3A", "112FE3", "05", "01", "1C"),
     "ID:   6F3A\r\nType: EF\r\nSize: 00B0 Bytes\r\nStructure: linear fixed\r\n"
     "Record Length: 1C Bytes\r\n"
     "Status: not invalidated, readable and updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: CHV2>\r\n"
     "                   <REHABILITATE: ADM10> <INVALIDATE: RFU>",
     FileMode::Record, false, "( 01-06 )"},
    {"cyclic", EfAnswer("0009", "6F39", "19105B", "00", "03", "03"),
     "ID:   6F39\r\nType: EF\r\nSize: 0009 Bytes\r\nStructure: cyclic\r\n"
     "Record Length: 03 Bytes\r\n"
     "Status: invalidated, not readable or updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM5> <INCREASE: CHV1>\r\n"
     "                   <REHABILITATE: ADM1> <INVALIDATE: ADM7>",
     FileMode::Record, true, "( 01-03 )"},
    // Short answers give short fields, not faults.
    {"empty answer", "", "ID:   \r\nType: RFU\r\nAvailable Memory:  Bytes\r\nInclude:  DFs,  EFs",
     FileMode::None, false, ""},
    {"short EF answer", "0000000A2FE204",
     "ID:   2FE2\r\nType: EF\r\nSize: 000A Bytes\r\nStructure: cyclic\r\nRecord Length:  Bytes\r\n"
     "Status: invalidated, not readable or updatable when invalidated\r\n"
     "Access Conditions: <READ;SEEK: > <UPDATE: > <INCREASE: >\r\n"
     "                   <REHABILITATE: > <INVALIDATE: >",
     FileMode::Record, true, "( 01-00 )"},
};

TEST(FileDescriptionTest, DescribesEachKindOfFileLineByLine) {
    for (const SDescriptionCase& c : kCases) {
        SCOPED_TRACE(c.pszName);
        const CFileDescription d = CFileDescription::Decode(c.strAnswer);
        EXPECT_EQ(d.m_strProperties, c.pszProperties);
        EXPECT_EQ(d.m_eMode, c.eMode);
        EXPECT_EQ(d.m_bElementary, std::string(c.pszProperties).find("Type: EF") != std::string::npos);
        EXPECT_EQ(d.m_bRecordFile, c.eMode == FileMode::Record);
        EXPECT_EQ(d.m_bCyclic, c.bCyclic);
        if (c.eMode == FileMode::Record) {
            EXPECT_EQ(d.m_strRecordRange, c.pszRange);
        }
    }
}

TEST(FileDescriptionTest, EveryStructureAfterLinearFixedIsCyclicAndRangesKeepEightBits) {
    for (const char* structure : {"03", "07", "FF"}) {
        EXPECT_TRUE(CFileDescription::Decode(EfAnswer("0009", "6F39", "19105B", "00", structure, "03"))
                        .m_bCyclic)
            << structure;
    }
    for (const auto& [length, range] : {std::pair<const char*, const char*>{"01", "( 01-FF )"},
                                        {"00", "( 01-00 )"}}) {
        EXPECT_EQ(CFileDescription::Decode(EfAnswer("0FFF", "6F3C", "11FF44", "01", "01", length))
                      .m_strRecordRange,
                  range);
    }
}

TEST(FileDescriptionTest, AccessConditionNamesForUpperCaseDigitsOnly) {
    const char* kExpected[] = {"ALW",  "CHV1", "CHV2", "RFU",  "ADM0", "ADM1", "ADM2",  "ADM3",
                               "ADM4", "ADM5", "ADM6", "ADM7", "ADM8", "ADM9", "ADM10", "NEV"};
    const std::string digits = "0123456789ABCDEF";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(CFileDescription::AccessConditionName(digits.substr(i, 1)), kExpected[i]);
    }
    for (const char* other : {"a", "f", "G", " ", "", "00"}) {
        EXPECT_EQ(CFileDescription::AccessConditionName(other), "") << other;
    }
}

}  // namespace
