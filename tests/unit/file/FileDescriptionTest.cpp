#include "FileDescription.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// The hex text of an answer: the bytes as GSM 11.11 numbers them from 1, then 9000.
std::string Answer(std::initializer_list<const char*> bytes) {
    std::string text;
    for (const char* byte : bytes) text += byte;
    return text + "9000";
}

// size, file id, access bytes 9 to 11, status, structure, record length
std::string EfAnswer(const char* size, const char* id, const char* access9, const char* access10,
                     const char* access11, const char* status, const char* structure,
                     const char* recordLength) {
    return Answer({"00", "00", size, id, "04", "00", access9, access10, access11, status, "02",
                   structure, recordLength});
}

std::string DirectoryAnswer(const char* id, const char* type, const char* dfs, const char* efs) {
    return Answer({"0000", "1A2B", id, type, "0000000000", "0D", "13", dfs, efs, "04", "00", "83",
                   "8A", "83", "8A"});
}

TEST(FileDescriptionTest, MasterFileShowsMemoryAndContents) {
    const auto d = CFileDescription::FromGetResponse(0, DirectoryAnswer("3F00", "01", "02", "01"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->m_strProperties,
              "ID:   3F00\r\n"
              "Type: MF\r\n"
              "Available Memory: 1A2B Bytes\r\n"
              "Include: 02 DFs, 01 EFs");
    EXPECT_EQ(d->m_eMode, FileMode::None);
    EXPECT_FALSE(d->m_bElementary);
}

TEST(FileDescriptionTest, DedicatedAndUnknownTypesShowTheSameLines) {
    EXPECT_EQ(CFileDescription::Decode(DirectoryAnswer("7F20", "02", "00", "1A")).m_strProperties,
              "ID:   7F20\r\nType: DF\r\nAvailable Memory: 1A2B Bytes\r\nInclude: 00 DFs, 1A EFs");
    EXPECT_EQ(CFileDescription::Decode(DirectoryAnswer("7F20", "07", "00", "1A")).m_strProperties,
              "ID:   7F20\r\nType: RFU\r\nAvailable Memory: 1A2B Bytes\r\nInclude: 00 DFs, 1A EFs");
}

TEST(FileDescriptionTest, TransparentFile) {
    const auto d = CFileDescription::FromGetResponse(
        0, EfAnswer("000A", "2FE2", "0F", "FF", "4A", "01", "00", "00"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->m_strProperties,
              "ID:   2FE2\r\n"
              "Type: EF\r\n"
              "Size: 000A Bytes\r\n"
              "Structure: transparent\r\n"
              "Status: not invalidated, not readable or updatable when invalidated\r\n"
              "Access Conditions: <READ;SEEK: ALW> <UPDATE: NEV> <INCREASE: NEV>\r\n"
              "                   <REHABILITATE: ADM0> <INVALIDATE: ADM6>");
    EXPECT_EQ(d->m_eMode, FileMode::Transparent);
    EXPECT_FALSE(d->m_bRecordFile);
    EXPECT_FALSE(d->m_bCyclic);
}

TEST(FileDescriptionTest, LinearFixedFile) {
    const auto d =
        CFileDescription::Decode(EfAnswer("00B0", "6F3A", "11", "2F", "E3", "05", "01", "1C"));
    EXPECT_EQ(d.m_strProperties,
              "ID:   6F3A\r\n"
              "Type: EF\r\n"
              "Size: 00B0 Bytes\r\n"
              "Structure: linear fixed\r\n"
              "Record Length: 1C Bytes\r\n"
              "Status: not invalidated, readable and updatable when invalidated\r\n"
              "Access Conditions: <READ;SEEK: CHV1> <UPDATE: CHV1> <INCREASE: CHV2>\r\n"
              "                   <REHABILITATE: ADM10> <INVALIDATE: RFU>");
    EXPECT_EQ(d.m_eMode, FileMode::Record);
    EXPECT_TRUE(d.m_bRecordFile);
    EXPECT_FALSE(d.m_bCyclic);
    EXPECT_EQ(d.m_strRecordLength, "1C");
    EXPECT_EQ(d.m_strRecordRange, "( 01-06 )");
}

TEST(FileDescriptionTest, CyclicFileForEveryOtherStructureByte) {
    for (const char* structure : {"03", "07", "FF"}) {
        const auto d = CFileDescription::Decode(
            EfAnswer("0009", "6F39", "19", "10", "5B", "00", structure, "03"));
        EXPECT_EQ(d.m_strProperties,
                  "ID:   6F39\r\n"
                  "Type: EF\r\n"
                  "Size: 0009 Bytes\r\n"
                  "Structure: cyclic\r\n"
                  "Record Length: 03 Bytes\r\n"
                  "Status: invalidated, not readable or updatable when invalidated\r\n"
                  "Access Conditions: <READ;SEEK: CHV1> <UPDATE: ADM5> <INCREASE: CHV1>\r\n"
                  "                   <REHABILITATE: ADM1> <INVALIDATE: ADM7>")
            << structure;
        EXPECT_TRUE(d.m_bCyclic);
        EXPECT_TRUE(d.m_bRecordFile);
        EXPECT_EQ(d.m_strRecordRange, "( 01-03 )");
    }
}

TEST(FileDescriptionTest, RecordRangeKeepsEightBitsAndSurvivesLengthZero) {
    EXPECT_EQ(CFileDescription::Decode(EfAnswer("0FFF", "6F3C", "11", "FF", "44", "01", "01", "01"))
                  .m_strRecordRange,
              "( 01-FF )");
    const auto d =
        CFileDescription::Decode(EfAnswer("00B0", "6F3C", "11", "FF", "44", "01", "01", "00"));
    EXPECT_EQ(d.m_strRecordRange, "( 01-00 )");
    EXPECT_EQ(d.m_eMode, FileMode::Record);
}

TEST(FileDescriptionTest, ShortAnswersGiveShortFieldsNotFaults) {
    EXPECT_EQ(CFileDescription::Decode("").m_strProperties,
              "ID:   \r\nType: RFU\r\nAvailable Memory:  Bytes\r\nInclude:  DFs,  EFs");
    const auto d = CFileDescription::Decode("0000000A2FE204");
    EXPECT_EQ(d.m_strProperties,
              "ID:   2FE2\r\nType: EF\r\nSize: 000A Bytes\r\nStructure: cyclic\r\n"
              "Record Length:  Bytes\r\n"
              "Status: invalidated, not readable or updatable when invalidated\r\n"
              "Access Conditions: <READ;SEEK: > <UPDATE: > <INCREASE: >\r\n"
              "                   <REHABILITATE: > <INVALIDATE: >");
    EXPECT_EQ(d.m_strRecordRange, "( 01-00 )");
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
