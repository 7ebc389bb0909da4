#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of fuzz/ with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs each for SECONDS (default 600, or 10 million
# executions) on a copy of its corpus, and prints executions and findings per target.
# Findings (crash-*, timeout-*, leak-*, oom-*) are left in build/fuzz/findings/<target>/;
# each one belongs in fuzz/<target>/corpus/ with its fix.
#   scripts/fuzz.sh [SECONDS]        all targets, two at a time
#   FUZZ_TARGETS="hex_text sim_apdu" scripts/fuzz.sh 60
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-600}
BUILD=build/fuzz
JOBS=${FUZZ_JOBS:-2}

scripts/setup-deps.sh --fuzz

TARGETS=(${FUZZ_TARGETS:-$(sed -n 's/^corvanta_fuzz_target(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt)})
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link \
  -DCORVANTA_SANITIZE=ON -DCORVANTA_LIBFUZZER=ON -DCORVANTA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The Command.INI target saves a file per input: on tmpfs that costs no disk flush.
[ -w /dev/shm ] && export TMPDIR=/dev/shm

run_target() {
  local target=$1 work="$BUILD/work/$1" findings="$BUILD/findings/$1"
  rm -rf "$work" && mkdir -p "$work" "$findings"
  cp fuzz/"$target"/corpus/* "$work"/
  # -fork keeps going after a finding, so one run reports all of them.
  "$BUILD/bin/fuzz_$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -runs=10000000 -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" "$work" >"$BUILD/$target.log" 2>&1 || true
}

report() {
  local target=$1 log="$BUILD/$1.log"
  local execs seconds found
  execs=$(grep -o 'exec/s: [0-9]*\|#[0-9]*' "$log" | grep -o '#[0-9]*' | tail -1 | tr -d '#')
  seconds=$(grep -o 'time: [0-9]*s' "$log" | tail -1 | grep -o '[0-9]*')
  found=$(find "$BUILD/findings/$target" -type f | wc -l)
  printf '%-18s %12s executions %6s s %3s findings\n' "$target" "${execs:-?}" "${seconds:-?}" "$found"
}

mkdir -p "$BUILD/findings"
running=0
for target in "${TARGETS[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
for target in "${TARGETS[@]}"; do report "$target"; done
