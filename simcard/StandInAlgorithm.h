// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The answer of RUN GSM ALGORITHM: a deterministic STAND-IN, a keyed hash of Ki and RAND.
// It is no operator algorithm and gives no security; it only lets scripts and tests see
// a repeatable SRES and Kc that depend on both inputs.
class CStandInAlgorithm {
public:
    using Key = std::array<std::uint8_t, 16>;

    // Writes SRES (4 bytes) and then Kc (8 bytes) to pOut.
    static void Run(const Key& ki, const std::uint8_t* pRand, std::uint8_t* pOut);
};
