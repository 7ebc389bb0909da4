#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test (unit, GUI headless, end-to-end through a private pcscd).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

BUILD=${CORVANTA_TEST_BUILD:-build/asan}
LAUNCHER=()
# A developer's ccache, when there is one, makes rebuilds across work trees cheap.
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCORVANTA_SANITIZE=ON "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen

ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" --timeout 300 "$@"
