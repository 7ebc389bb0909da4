// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HexText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small helpers the field decoders share. Every one takes only the bytes it is given, so a
// decoder that cuts its slices with Slice never reads past its input.

// Up to length bytes from offset; empty past the end.
inline std::string_view Slice(std::string_view data, std::size_t offset, std::size_t length) {
    if (offset >= data.size()) return {};
    return data.substr(offset, length);
}

inline unsigned ByteAt(std::string_view data, std::size_t offset) {
    return offset < data.size() ? static_cast<unsigned char>(data[offset]) : 0xFFu;
}

// Upper-case hex digits, no separators.
std::string HexOf(std::string_view bytes);
// Two hex digits of a byte: "0A".
std::string HexByte(unsigned value);
// The bytes as a big-endian unsigned number.
std::uint32_t BigEndian(std::string_view bytes);
// Whether every byte is FF (an unused entry or record).
bool AllFF(std::string_view bytes);
// One BER-TLV object of a one-byte tag (lengths of one byte, or 81 and one byte).
struct CTlv {
    unsigned m_nTag = 0;
    std::size_t m_nOffset = 0;       // of the tag
    std::size_t m_nValueOffset = 0;  // of the value
    std::string_view m_value;        // cut at the input's end when its length passes it
    bool m_bCut = false;
};
// The object at offset, which must be inside data; offset moves past it. False at the end,
// at FF padding, or where not even the length is there.
bool NextTlv(std::string_view data, std::size_t& offset, CTlv& tlv);

// "record n" of a record id byte, "none" for FF.
std::string RecordIdText(unsigned id);
// "name n" for the n-th entry of a list, counted from 1.
std::string Numbered(std::string_view name, std::size_t index);
