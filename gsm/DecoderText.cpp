// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecoderText.h"

#include "HexText.h"

std::string HexOf(std::string_view bytes) {
    return BytesToHex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string HexByte(unsigned value) {
    const unsigned char byte = static_cast<unsigned char>(value);
    return BytesToHex(&byte, 1);
}

std::uint32_t BigEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (char byte : bytes) value = value << 8 | static_cast<unsigned char>(byte);
    return value;
}

bool AllFF(std::string_view bytes) {
    return bytes.find_first_not_of('\xFF') == bytes.npos;
}

std::string RecordIdText(unsigned id) {
    return id == 0xFF ? std::string("none") : "record " + std::to_string(id);
}

std::string Numbered(std::string_view name, std::size_t index) {
    return std::string(name) + " " + std::to_string(index + 1);
}

bool NextTlv(std::string_view data, std::size_t& offset, CTlv& tlv) {
    if (offset >= data.size() || data[offset] == '\xFF' || data.size() - offset < 2) return false;
    tlv.m_nOffset = offset;
    tlv.m_nTag = static_cast<unsigned char>(data[offset]);
    std::size_t length = static_cast<unsigned char>(data[offset + 1]);
    std::size_t valueOffset = offset + 2;
    if (length == 0x81) {
        if (valueOffset >= data.size()) return false;
        length = static_cast<unsigned char>(data[valueOffset]);
        ++valueOffset;
    }
    tlv.m_nValueOffset = valueOffset;
    tlv.m_bCut = length > data.size() - valueOffset;
    tlv.m_value = data.substr(valueOffset, length);
    offset = valueOffset + tlv.m_value.size();
    return true;
}
