// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFile.h"

CSimFile::CSimFile(Kind kind, std::uint16_t id) : m_kind(kind), m_nId(id) {}

CSimFile* CSimFile::AddChild(std::unique_ptr<CSimFile> pChild) {
    pChild->m_pParent = this;
    m_children.push_back(std::move(pChild));
    return m_children.back().get();
}

CSimFile* CSimFile::FindChild(std::uint16_t id) const {
    for (const auto& pChild : m_children) {
        if (pChild->m_nId == id) return pChild.get();
    }
    return nullptr;
}

std::size_t CSimFile::CountChildren(Kind kind) const {
    std::size_t count = 0;
    for (const auto& pChild : m_children) {
        if (pChild->m_kind == kind) ++count;
    }
    return count;
}

void CSimFile::MakeTransparent(std::size_t size) {
    m_structure = Structure::Transparent;
    m_nRecordLength = 0;
    m_nRecordCount = 0;
    m_nCyclicStart = 0;
    m_content.assign(size, 0xFF);
}

void CSimFile::MakeRecords(Structure structure, std::size_t recordLength, std::size_t recordCount) {
    m_structure = structure;
    m_nRecordLength = recordLength;
    m_nRecordCount = recordCount;
    m_nCyclicStart = 0;
    m_content.assign(recordLength * recordCount, 0xFF);
}

void CSimFile::SetAccess(std::uint8_t read, std::uint8_t update, std::uint8_t increase,
                         std::uint8_t invalidate, std::uint8_t rehabilitate) {
    m_nReadAccess = read & 0x0F;
    m_nUpdateAccess = update & 0x0F;
    m_nIncreaseAccess = increase & 0x0F;
    m_nInvalidateAccess = invalidate & 0x0F;
    m_nRehabilitateAccess = rehabilitate & 0x0F;
}

bool CSimFile::IsIncreaseAllowed() const {
    return m_structure == Structure::Cyclic && m_nIncreaseAccess != Never;
}

std::uint8_t* CSimFile::GetRecord(std::size_t number) {
    std::size_t physical = (m_nCyclicStart + number - 1) % m_nRecordCount;
    return m_content.data() + physical * m_nRecordLength;
}

const std::uint8_t* CSimFile::GetRecord(std::size_t number) const {
    std::size_t physical = (m_nCyclicStart + number - 1) % m_nRecordCount;
    return m_content.data() + physical * m_nRecordLength;
}

std::uint8_t* CSimFile::RotateForNewRecord() {
    m_nCyclicStart = (m_nCyclicStart + m_nRecordCount - 1) % m_nRecordCount;
    return GetRecord(1);
}
