#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Soak: plays ROWS APDUs (default one million) through corvanta-run against the virtual
# card and reports resident memory per APDU; with --leaks it uses the sanitizer build and
# lets LeakSanitizer report; with --play it plays ROWS rows once on the Script page in the
# window (headless) and reports the memory each APDU added beside the trace text. Not part
# of the test suite: it runs for minutes.
#
#   scripts/soak.sh [--leaks | --play] [ROWS]
set -euo pipefail
cd "$(dirname "$0")/.."

LEAKS=0
PLAY=0
if [[ ${1:-} == --leaks ]]; then LEAKS=1; shift; fi
if [[ ${1:-} == --play ]]; then PLAY=1; shift; fi
ROWS=${1:-1000000}

if ((PLAY)); then
  BUILD=${CORVANTA_SOAK_BUILD:-build/release}
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD" -j2 --target corvanta-script-play-bench corvanta-vsim >/dev/null
  exec env QT_QPA_PLATFORM=offscreen "$BUILD/bin/corvanta-script-play-bench" --soak "$ROWS"
fi

if ((LEAKS)); then
  BUILD=${CORVANTA_TEST_BUILD:-build/asan}
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCORVANTA_SANITIZE=ON >/dev/null
else
  BUILD=${CORVANTA_SOAK_BUILD:-build/release}
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" -j2 --target corvanta-run corvanta-vsim corvanta-pcsc-wait >/dev/null

WORK=$(mktemp -d /tmp/corvanta-soak.XXXXXX)
export CORVANTA_VSIM=$PWD/$BUILD/bin/corvanta-vsim CORVANTA_PCSC_WAIT=$PWD/$BUILD/bin/corvanta-pcsc-wait
cleanup() { scripts/virtual-card.sh stop --run-dir "$WORK/card" >/dev/null 2>&1 || true; rm -rf "$WORK"; }
trap cleanup EXIT
eval "$(scripts/virtual-card.sh start --run-dir "$WORK/card")"

# SELECT and READ BINARY of EF ICCID in turn: every row an exchange with data.
script() {
  local rows=$1
  awk -v n="$rows" 'BEGIN { for (i = 0; i < n; i++) printf (i % 2 ? "A0B000000A\r\n" : "A0A40000022FE2\r\n") }'
}

# Peak resident memory (KiB) of one run; "trace" keeps the trace in memory and saves it.
peak_kib() {
  local rows=$1 mode=$2
  script "$rows" > "$WORK/s.scp"
  local args=(--quiet "$WORK/s.scp")
  [[ $mode == trace ]] && args=(--trace "$WORK/t.log" "${args[@]}")
  /usr/bin/time -f %M -o "$WORK/rss" "$BUILD/bin/corvanta-run" "${args[@]}"
  cat "$WORK/rss"
}

if ((LEAKS)); then
  export ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
  script "$ROWS" > "$WORK/s.scp"
  "$BUILD/bin/corvanta-run" --quiet --trace "$WORK/t.log" "$WORK/s.scp" 2> "$WORK/lsan.txt" || true
  if grep -q "LeakSanitizer" "$WORK/lsan.txt"; then
    cat "$WORK/lsan.txt"
    exit 1
  fi
  echo "soak: $ROWS APDUs under ASan and LeakSanitizer: no leak reported"
  exit 0
fi

SMALL=$((ROWS / 10))
for mode in plain trace; do
  start=$(date +%s.%N)
  low=$(peak_kib "$SMALL" "$mode")
  high=$(peak_kib "$ROWS" "$mode")
  end=$(date +%s.%N)
  awk -v m="$mode" -v lo="$low" -v hi="$high" -v s="$SMALL" -v n="$ROWS" -v t="$(echo "$end - $start" | bc)" 'BEGIN {
    printf "soak %-5s: peak RSS %d KiB at %d APDUs, %d KiB at %d APDUs: %.1f bytes per APDU (%.0f s)\n",
           m, lo, s, hi, n, (hi - lo) * 1024 / (n - s), t }'
done
echo "soak: the trace run's growth is its trace lines kept for the save; the trace file holds $(wc -c < "$WORK/t.log") bytes"
