// SPDX-License-Identifier: GPL-3.0-or-later
// The file catalogue's lookups and the status word meanings.
#include "FileCatalogue.h"
#include "StatusWords.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(FileCatalogue, LookupByPathAndById) {
    struct CCase {
        const char* pPath;
        const char* pShortName;
        FileStructure structure;
        unsigned recordLength;
        unsigned size;
        unsigned service;
    };
    const CCase cases[] = {
        {"3F00", "MF", FileStructure::None, 0, 0, 0},
        {"3F00\\2FE2", "EF ICCID", FileStructure::Transparent, 0, 10, 0},
        {"3F00\\7F20\\6F07", "EF IMSI", FileStructure::Transparent, 0, 9, 0},
        {"3f00/7f20/6f46", "EF SPN", FileStructure::Transparent, 0, 17, 17},
        {"3F00\\7F10\\6F3A", "EF ADN", FileStructure::LinearFixed, 0, 0, 2},
        {"3F00\\7F10\\6F3C", "EF SMS", FileStructure::LinearFixed, 176, 0, 4},
        {"3F00\\7F10\\6F44", "EF LND", FileStructure::Cyclic, 0, 0, 13},
        {"3F00\\7F20\\6F39", "EF ACM", FileStructure::Cyclic, 3, 0, 5},
        {"3F00\\7F10\\5F50\\4F20", "EF IMG", FileStructure::LinearFixed, 0, 0, 39},
        {"3F00\\7F20\\6F53", "EF LOCIGPRS", FileStructure::Transparent, 0, 14, 38},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pPath);
        const CCatalogueEntry* pEntry = FindFileByPath(c.pPath);
        ASSERT_NE(pEntry, nullptr);
        EXPECT_EQ(pEntry->m_strShortName, c.pShortName);
        EXPECT_EQ(pEntry->m_structure, c.structure);
        EXPECT_EQ(pEntry->m_nRecordLength, c.recordLength);
        EXPECT_EQ(pEntry->m_nSize, c.size);
        EXPECT_EQ(pEntry->m_nService, c.service);
        std::string canonical = c.pPath;
        for (char& ch : canonical) ch = ch == '/' ? '\\' : static_cast<char>(std::toupper(ch));
        EXPECT_EQ(PathOf(*pEntry), canonical);
        EXPECT_EQ(FindFileById(pEntry->m_nParentId, pEntry->m_nId), pEntry);
    }
    const char* unknown[] = {"",
                             "3F0",
                             "3F00\\",
                             "3F00\\7F20\\6F3A",
                             "7F20\\6F07",
                             "3F00\\7F20\\6F07\\",
                             "3F00-7F20",
                             "3F00\\7F2G",
                             "3F00\\7F20\\6F070"};
    for (const char* pPath : unknown) {
        SCOPED_TRACE(pPath);
        EXPECT_EQ(FindFileByPath(pPath), nullptr);
    }
    EXPECT_EQ(DescribeFile(*FindFileByPath("3F00\\7F20\\6F07")),
              "EF IMSI: International Mobile Subscriber Identity");
}

TEST(FileCatalogue, LookupByName) {
    struct CCase {
        const char* pName;
        const char* pPath;  // "" for none
    };
    const CCase cases[] = {
        {"imsi", "3F00\\7F20\\6F07"},
        {"EF IMSI", "3F00\\7F20\\6F07"},
        {"Ef Kc", "3F00\\7F20\\6F20"},
        {"TELECOM", "3F00\\7F10"},
        {"MF", "3F00"},
        {"IMS", ""},
        {"IMSI ", ""},
        {"EFIMSI", ""},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pName);
        const CCatalogueEntry* pEntry = FindFileByName(c.pName);
        EXPECT_EQ(pEntry ? PathOf(*pEntry) : std::string(), c.pPath);
    }
    ASSERT_EQ(FindFilesById(0x6F07).size(), 1u);
    EXPECT_TRUE(FindFilesById(0x1234).empty());
}

TEST(FileCatalogue, EveryFileHasAKnownParentAndUniquePath) {
    std::set<std::string> paths;
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        SCOPED_TRACE(std::string(entry.m_strShortName));
        EXPECT_TRUE(paths.insert(PathOf(entry)).second);
        EXPECT_FALSE(entry.m_strFullName.empty());
        if (entry.m_kind == FileKind::Master) continue;
        const CCatalogueEntry* pParent =
            FindFileByPath(PathOf(entry).substr(0, PathOf(entry).size() - 5));
        ASSERT_NE(pParent, nullptr);
        EXPECT_NE(pParent->m_kind, FileKind::Elementary);
        EXPECT_EQ(entry.m_kind == FileKind::Elementary, entry.m_structure != FileStructure::None);
        if (entry.m_nService != 0) {
            EXPECT_FALSE(ServiceName(entry.m_nService).empty());
        }
    }
    std::set<std::string> telecom;
    for (const CCatalogueEntry* pChild : ChildrenOf(0x7F10))
        telecom.insert(std::string(pChild->m_strShortName));
    EXPECT_EQ(telecom.count("DF GRAPHICS"), 1u);
    EXPECT_EQ(telecom.count("EF ADN"), 1u);
    EXPECT_EQ(telecom.count("EF IMG"), 0u);  // a grandchild
    EXPECT_EQ(ServiceName(17), "Service Provider Name");
    EXPECT_EQ(ServiceName(0), "");
    EXPECT_EQ(ServiceName(ServiceCount() + 1), "");
}

TEST(StatusWords, GsmAndIsoMeanings) {
    struct CCase {
        const char* pWord;
        const char* pText;
    };
    const CCase cases[] = {
        {"9000", "normal ending of the command"},
        {"9F17", "23 bytes of response waiting"},
        {"9f0c", "12 bytes of response waiting"},
        {"9110", "normal ending, 16 bytes of proactive command waiting for FETCH"},
        {"9E02", "SIM data download error, 2 bytes of response waiting"},
        {"9300", "SIM Application Toolkit busy, command cannot be executed at present"},
        {"9203", "command successful after 3 internal update retries"},
        {"9240", "memory problem"},
        {"9400", "no EF selected"},
        {"9402", "out of range (invalid address)"},
        {"9404", "file id not found, or pattern not found"},
        {"9408", "file is inconsistent with the command"},
        {"9802", "no CHV initialised"},
        {"9808", "in contradiction with CHV status"},
        {"9810", "in contradiction with invalidation status"},
        {"9850", "INCREASE cannot be performed, maximum value reached"},
        {"670A", "incorrect parameter P3 (correct length 0A, 00: no information)"},
        {"6B00", "incorrect parameter P1 or P2 (00)"},
        {"6D00", "unknown instruction code (00)"},
        {"6E00", "wrong instruction class (00)"},
        {"6F00", "technical problem with no diagnostic given (00)"},
        {"6110", "16 bytes still available (GET RESPONSE) (ISO 7816-4, not GSM 11.11)"},
        {"6C09", "wrong length Le, exact length 9 (ISO 7816-4, not GSM 11.11)"},
        {"63C2", "verification failed, 2 retries left (ISO 7816-4, not GSM 11.11)"},
        {"6A82", "file or application not found (ISO 7816-4, not GSM 11.11)"},
        {"6982", "security status not satisfied (ISO 7816-4, not GSM 11.11)"},
        {"9250", "unknown status word"},
        {"9405", "unknown status word"},
        {"90 00", "normal ending of the command"},
        {"900", ""},
        {"90000", ""},
        {"9G00", ""},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pWord);
        EXPECT_EQ(ExplainStatusWord(c.pWord), c.pText);
    }
    EXPECT_EQ(DescribeStatusWord(0x98, 0x04).m_source, StatusWordSource::Gsm1111);
    EXPECT_EQ(DescribeStatusWord(0x6A, 0x82).m_source, StatusWordSource::Iso7816);
}
