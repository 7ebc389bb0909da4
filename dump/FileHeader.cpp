// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileHeader.h"

namespace {

// Byte numbers as GSM 11.11 counts them, from 1.
std::uint8_t At(const std::vector<std::uint8_t>& bytes, std::size_t number) {
    return bytes[number - 1];
}

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t number) {
    return static_cast<std::uint16_t>(At(bytes, number) << 8 | At(bytes, number + 1));
}

CFileHeader::CCodeState CodeState(std::uint8_t status) {
    return {(status & 0x80) != 0, status & 0x0F};
}

void ParseDirectory(const std::vector<std::uint8_t>& b, CFileHeader& h) {
    h.m_bChv1Disabled = (At(b, 14) & 0x80) != 0;
    h.m_nDfCount = At(b, 15);
    h.m_nEfCount = At(b, 16);
    h.m_nCodeCount = At(b, 17);
    h.m_chv1 = CodeState(At(b, 19));
    h.m_unblockChv1 = CodeState(At(b, 20));
    h.m_chv2 = CodeState(At(b, 21));
    h.m_unblockChv2 = CodeState(At(b, 22));
}

bool ParseElementary(const std::vector<std::uint8_t>& b, CFileHeader& h) {
    for (std::size_t i = 0; i < 3; ++i) h.m_nAccess[i] = At(b, 9 + i);
    h.m_nStatus = At(b, 12);
    switch (At(b, 14)) {
        case 0x00:
            h.m_eStructure = CFileHeader::Structure::Transparent;
            return true;
        case 0x01:
            h.m_eStructure = CFileHeader::Structure::LinearFixed;
            break;
        case 0x03:
            h.m_eStructure = CFileHeader::Structure::Cyclic;
            break;
        default:
            return false;
    }
    if (b.size() < 15) return false;
    h.m_nRecordLength = At(b, 15);
    return true;
}

}  // namespace

std::optional<CFileHeader> CFileHeader::Parse(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 7) return std::nullopt;
    CFileHeader h;
    h.m_nSize = Word(bytes, 3);
    h.m_nId = Word(bytes, 5);
    switch (At(bytes, 7)) {
        case 0x01:
        case 0x02:
            if (bytes.size() < kDirectoryMinimum) return std::nullopt;
            h.m_eType = At(bytes, 7) == 0x01 ? Type::Mf : Type::Df;
            ParseDirectory(bytes, h);
            return h;
        case 0x04:
            h.m_eType = Type::Ef;
            if (bytes.size() < kEfMinimum || !ParseElementary(bytes, h)) return std::nullopt;
            return h;
        default:
            return std::nullopt;
    }
}

std::size_t CFileHeader::RecordCount() const {
    return m_nRecordLength == 0 ? 0 : m_nSize / m_nRecordLength;
}
