// SPDX-License-Identifier: GPL-3.0-or-later
// The card core's hex conversions on any text: they never fail, write exactly the bytes
// they promise, and round-trip every byte sequence.
#include "FuzzCheck.h"
#include "HexText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

bool IsUpperHex(std::string_view text) {
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(pData), size);

    const std::string hex = BytesToHex(pData, size);
    std::vector<unsigned char> back(size);
    HexToBytes(hex, back.data());
    FuzzCheck(hex.size() == 2 * size && std::equal(back.begin(), back.end(), pData),
              "bytes -> hex -> bytes gives the bytes");

    // Sized exactly as promised, so a write past (size + 1) / 2 is an ASan finding.
    std::vector<unsigned char> bytes((size + 1) / 2);
    HexToBytes(text, bytes.data());
    if (size % 2 == 0 && IsUpperHex(text)) {
        FuzzCheck(BytesToHex(bytes.data(), bytes.size()) == text, "hex -> bytes -> hex");
    }

    HexPairToByte(text);
    const std::size_t split = size > 0 ? pData[0] % 8 : 0;
    HexQuotient(text.substr(0, std::min(split, size)), text.substr(std::min(split, size)));
    return 0;
}
