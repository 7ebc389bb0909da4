// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldByteMap.h"

int CFieldByteMap::FieldAt(std::size_t offset) const {
    int best = -1;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const CDecodedField& field = m_fields[i];
        if (field.m_nLength == 0 || offset < field.m_nOffset ||
            offset - field.m_nOffset >= field.m_nLength) {
            continue;
        }
        if (best < 0 || field.m_nLength < m_fields[best].m_nLength) best = static_cast<int>(i);
    }
    return best;
}

void CFieldByteMap::BytesOf(int field, std::size_t& first, std::size_t& count) const {
    first = 0;
    count = 0;
    if (field < 0 || static_cast<std::size_t>(field) >= m_fields.size()) return;
    first = m_fields[field].m_nOffset;
    count = m_fields[field].m_nLength;
}
