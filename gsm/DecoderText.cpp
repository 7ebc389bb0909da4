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

bool AllFF(std::string_view bytes) { return bytes.find_first_not_of('\xFF') == bytes.npos; }

std::string Numbered(std::string_view name, std::size_t index) {
    return std::string(name) + " " + std::to_string(index + 1);
}
