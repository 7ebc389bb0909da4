#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the benchmarks in Release (build/bench, no sanitizers),
# runs them against the virtual card on private pcscds, and prints one table: each figure
# beside its baseline measured in the same run, the ratio, the target and whether it is met.
# The table is Markdown, ready for README.md; each benchmark's own report is kept in
# build/bench/logs.
#
#   scripts/bench.sh              # every benchmark, five rounds where a bench repeats
#   scripts/bench.sh --rounds 9   # more rounds: steadier medians on a busy machine
set -euo pipefail
cd "$(dirname "$0")/.."

ROUNDS=5
while [[ $# -gt 0 ]]; do
    case $1 in
        --rounds)
            [[ $# -ge 2 && $2 =~ ^[0-9]+$ ]] && (($2 >= 5)) || {
                echo "bench.sh: --rounds needs a number of at least 5" >&2
                exit 2
            }
            ROUNDS=$2
            shift 2 ;;
        -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "bench.sh: unknown option '$1'" >&2; exit 2 ;;
    esac
done

say() { echo "bench.sh: $*" >&2; }

scripts/setup-deps.sh

BUILD=$(realpath -m "${CORVANTA_BENCH_BUILD:-build/bench}")
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# The tests stay configured: the benches start their card with the tests' private pcscd.
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DCORVANTA_SANITIZE=OFF -DCORVANTA_TESTS=ON \
      -DCORVANTA_BENCH=ON "${LAUNCHER[@]}" >/dev/null
BENCHES=(corvanta-run-bench corvanta-script-play-bench trace_bench itemlist_bench
         corvanta-startup-bench corvanta-exchange-bench corvanta-dump-bench corvanta-explorer-bench)
say "building ${BENCHES[*]} in $BUILD"
cmake --build "$BUILD" -j"${CORVANTA_JOBS:-$(nproc)}" --target "${BENCHES[@]}" >/dev/null

BIN=$BUILD/bin
LOGS=$BUILD/logs
rm -rf "$LOGS"
mkdir -p "$LOGS"
LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)
STEP=0

# Runs one bench into a numbered log of its own, so the table keeps the order of the runs.
run_bench() {
    STEP=$((STEP + 1))
    local log
    log=$LOGS/$(printf '%02d' "$STEP")-$1.log
    say "running $*"
    if ! QT_QPA_PLATFORM=offscreen "$BIN/$1" "${@:2}" >"$log" 2>&1; then
        say "$1 failed; the end of its report:"
        tail -n 20 "$log" >&2
        exit 1
    fi
}

run_bench corvanta-run-bench 10000 "$ROUNDS"
run_bench corvanta-script-play-bench
# The trace bench measures resident memory, which only a fresh process shows clearly: it
# runs whole, once a round, its baseline beside it each time.
for _ in $(seq "$ROUNDS"); do run_bench trace_bench; done
run_bench itemlist_bench
run_bench corvanta-startup-bench $((2 * ROUNDS + 1))
run_bench corvanta-exchange-bench
run_bench corvanta-dump-bench "$ROUNDS"
run_bench corvanta-explorer-bench "$ROUNDS"

# One row per figure and baseline: the medians over the runs that printed it, and the ratio
# in the quietest round (the least time in all), which others' load disturbed least. A
# target is "value OP N" (in the figure's unit) or "ratio OP N".
table() {
    awk -F'\t' '
        function median(list,    n, values, i, j, swap) {
            n = split(list, values, " ")
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && values[j - 1] + 0 > values[j] + 0; j--) {
                    swap = values[j]; values[j] = values[j - 1]; values[j - 1] = swap
                }
            return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
        }
        function shown(v) {
            return v >= 100 ? sprintf("%.0f", v) : v >= 1 ? sprintf("%.2f", v) : sprintf("%.3f", v)
        }
        function meets(target, value, ratio,    part, subject) {
            split(target, part, " ")
            subject = part[1] == "ratio" ? ratio : value
            return part[2] == "<" ? subject < part[3] + 0 : subject <= part[3] + 0
        }
        function verdict(target, value, ratio, quietValue, quietRatio) {
            if (target == "") return "—"
            if (meets(target, value, ratio)) return "yes"
            return meets(target, quietValue, quietRatio) ? "in the quietest round only" : "NO"
        }
        function target_text(target, unit,    part) {
            if (target == "") return "—"
            split(target, part, " ")
            sub(/<=/, "≤", part[2])
            return part[1] == "ratio" ? "ratio " part[2] " " part[3] : part[2] " " part[3] " " unit
        }
        $1 == "FIGURE" {
            key = $2 "\t" $5
            if (!(key in unit)) { order[++count] = key; unit[key] = $4; target[key] = $8 }
            values[key] = values[key] " " $3
            baselines[key] = baselines[key] " " $6
            ratios[key] = ratios[key] " " $7
            if (!(key in quiet) || $9 + $10 < quiet[key] + quietBaseline[key]) {
                quiet[key] = $9; quietBaseline[key] = $10
            }
        }
        END {
            print "| Figure | Measured | Baseline, same run | Baseline | Ratio | Quietest round | Target | Met |"
            print "|---|---:|---|---:|---:|---:|---|---|"
            for (i = 1; i <= count; i++) {
                key = order[i]
                split(key, name, "\t")
                value = median(values[key]); ratio = median(ratios[key])
                quietRatio = quiet[key] / quietBaseline[key]
                printf "| %s | %s %s | %s | %s %s | %.3f | %.3f | %s | %s |\n", name[1],
                       shown(value), unit[key], name[2], shown(median(baselines[key])), unit[key],
                       ratio, quietRatio, target_text(target[key], unit[key]),
                       verdict(target[key], value, ratio, quiet[key], quietRatio)
            }
        }'
}

echo "Benchmarks of $(git rev-parse --short HEAD 2>/dev/null || echo 'this tree'), $(date -u '+%Y-%m-%d %H:%M UTC'):" \
     "$(nproc) cores, load average $LOAD_BEFORE before and $(cut -d' ' -f1-3 /proc/loadavg) after;" \
     "medians of 5 or more rounds, in which each figure's runs alternate with its baseline's."
echo
cat "$LOGS"/*.log | table
