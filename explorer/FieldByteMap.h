// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"

#include <vector>

// Which decoded field a byte belongs to and which bytes a field came from, for the hex view
// that highlights a field's bytes and selects the field of a clicked byte.
class CFieldByteMap {
public:
    explicit CFieldByteMap(std::vector<CDecodedField> fields) : m_fields(std::move(fields)) {}

    // The field of the byte at offset, -1 when none covers it. Where fields overlap (a
    // number and the digits inside it) the narrowest wins, then the first.
    int FieldAt(std::size_t offset) const;
    // The bytes [first, first + count) of field i; count 0 for an index out of range.
    void BytesOf(int field, std::size_t& first, std::size_t& count) const;

    const std::vector<CDecodedField>& Fields() const { return m_fields; }

private:
    std::vector<CDecodedField> m_fields;
};
