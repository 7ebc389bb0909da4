// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped default profile read as a phone reads it: EF SST allocates and activates a
// service exactly when the card holds the files that depend on it, and every record of
// every file with a decoder decodes without a problem.
#include <string>

#include <gtest/gtest.h>

#include "FileCatalogue.h"
#include "FileDecoders.h"
#include "SimProfile.h"

namespace {

const CSimFile* FindDirectory(const CSimFile& root, std::uint16_t id) {
    if (root.GetId() == id) return &root;
    for (const auto& pChild : root.GetChildren()) {
        if (!pChild->IsDirectory()) continue;
        if (const CSimFile* pFound = FindDirectory(*pChild, id)) return pFound;
    }
    return nullptr;
}

const CSimFile* FindFile(const CSimFile& mf, const CCatalogueEntry& entry) {
    const CSimFile* pParent = FindDirectory(mf, entry.m_nParentId);
    return pParent ? pParent->FindChild(entry.m_nId) : nullptr;
}

class DefaultProfile : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_profile.Load(CORVANTA_DEFAULT_PROFILE, error)) << error;
    }
    CSimProfile m_profile;
};

TEST_F(DefaultProfile, ServiceTableAgreesWithTheFiles) {
    CSimFile* pSst = m_profile.GetMf()->FindChild(0x7F20)->FindChild(0x6F38);
    ASSERT_NE(pSst, nullptr);
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (entry.m_kind != FileKind::Elementary || entry.m_nService == 0) continue;
        SCOPED_TRACE(DescribeFile(entry) + ", service " + std::to_string(entry.m_nService));
        const std::size_t bit = 2 * (entry.m_nService - 1);
        const bool active =
            bit / 8 < pSst->GetSize() && ((*pSst->GetBytes(bit / 8) >> (bit % 8)) & 0x03) == 0x03;
        EXPECT_EQ(FindFile(*m_profile.GetMf(), entry) != nullptr, active);
    }
}

TEST_F(DefaultProfile, EveryRecordDecodesCompletely) {
    std::size_t decoded = 0;
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        const CSimFile* pFile = FindFile(*m_profile.GetMf(), entry);
        if (!pFile || pFile->IsDirectory() || !FindFileDecoder(entry.m_nParentId, entry.m_nId))
            continue;
        const std::size_t count = pFile->IsRecordFile() ? pFile->GetRecordCount() : 1;
        for (std::size_t record = 1; record <= count; ++record) {
            SCOPED_TRACE(DescribeFile(entry) + ", record " + std::to_string(record));
            const auto* pBytes = pFile->IsRecordFile() ? pFile->GetRecord(record)
                                                       : const_cast<CSimFile*>(pFile)->GetBytes(0);
            const std::size_t size =
                pFile->IsRecordFile() ? pFile->GetRecordLength() : pFile->GetSize();
            const CDecodedContents contents =
                DecodeFile(entry, {reinterpret_cast<const char*>(pBytes), size});
            EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
            ++decoded;
        }
    }
    EXPECT_GT(decoded, 40u);
}

}  // namespace
