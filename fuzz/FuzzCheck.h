// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// A property a fuzz target asserts: abort, so that libFuzzer keeps the input and the
// corpus replay fails, whatever the build's NDEBUG.
inline void FuzzCheck(bool bHolds, const char* pProperty) {
    if (bHolds) return;
    std::fprintf(stderr, "property broken: %s\n", pProperty);
    std::abort();
}
