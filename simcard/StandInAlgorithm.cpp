// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandInAlgorithm.h"

namespace {

std::uint64_t Mix(std::uint64_t value) {
    value ^= value >> 30;
    value *= 0xBF58476D1CE4E5B9ULL;
    value ^= value >> 27;
    value *= 0x94D049BB133111EBULL;
    value ^= value >> 31;
    return value;
}

std::uint64_t Load64(const std::uint8_t* pBytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | pBytes[i];
    return value;
}

void Store(std::uint64_t value, std::uint8_t* pOut, int count) {
    for (int i = 0; i < count; ++i) pOut[i] = static_cast<std::uint8_t>(value >> (56 - 8 * i));
}

}  // namespace

void CStandInAlgorithm::Run(const Key& ki, const std::uint8_t* pRand, std::uint8_t* pOut) {
    // Two lanes keyed by the two halves of Ki absorb the two halves of RAND in turn, so a
    // change of any input bit reaches every output byte.
    std::uint64_t lane1 = Load64(ki.data()) ^ 0x6A09E667F3BCC908ULL;
    std::uint64_t lane2 = Load64(ki.data() + 8) ^ 0xBB67AE8584CAA73BULL;
    for (int round = 0; round < 4; ++round) {
        lane1 = Mix(lane1 ^ Load64(pRand + 8 * (round & 1)) ^ lane2);
        lane2 = Mix(lane2 + lane1 + static_cast<std::uint64_t>(round));
    }
    Store(Mix(lane1 ^ lane2), pOut, 4);
    Store(Mix(lane2 ^ (lane1 << 1)), pOut + 4, 8);
}
