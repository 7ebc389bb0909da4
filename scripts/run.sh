#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Corvanta in build/ (a normal build, no sanitizers) and
# starts it. When no reader in reach holds a card, it first starts the virtual SIM card
# on a private pcscd and points Corvanta at it, so there is a reader and a card at once;
# the card stops again when Corvanta exits.
#
#   scripts/run.sh            # a card of the system, else the virtual card
#   scripts/run.sh --system   # the system's pcscd and readers only
#   scripts/run.sh FILE.scp   # opens that script on the Script page
set -euo pipefail
cd "$(dirname "$0")/.."

USE_SYSTEM=0
SCRIPT=()
for arg in "$@"; do
    case $arg in
        --system) USE_SYSTEM=1 ;;
        -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "run.sh: unknown option '$arg'" >&2; exit 2 ;;
        *) SCRIPT=("$(realpath -m "$arg")") ;;
    esac
done

scripts/setup-deps.sh

BUILD=$(realpath -m "${CORVANTA_BUILD:-build}")
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANTA_SANITIZE=OFF \
      -DCORVANTA_TESTS=OFF -DCORVANTA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"${CORVANTA_JOBS:-$(nproc)}"

if [[ $USE_SYSTEM -eq 0 ]]; then
    # Ask the system's service, whatever this shell was pointed at before.
    if reader=$(env -u PCSCLITE_CSOCK_NAME timeout 10 "$BUILD/bin/corvanta-card-present" 2>/dev/null); then
        echo "run.sh: using the card in \"$reader\"" >&2
        unset PCSCLITE_CSOCK_NAME
    else
        echo "run.sh: no card in a reader; starting the virtual SIM card" >&2
        exports=$(scripts/virtual-card.sh start --binary "$BUILD/bin/corvanta-vsim")
        trap 'scripts/virtual-card.sh stop >/dev/null 2>&1 || true' EXIT
        eval "$exports"
        echo "run.sh: reader \"${CORVANTA_VSIM_READER:-?}\" holds the virtual card" >&2
    fi
else
    unset PCSCLITE_CSOCK_NAME
fi

status=0
"$BUILD/bin/corvanta" "${SCRIPT[@]}" || status=$?
exit "$status"
