#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the main window on each of its pages, and the small dialogs, to PNG files
# without a display, so anyone can check the look:
#
#   scripts/render-pages.sh [--card] [output folder]     (default: build/pages)
#
# With --card a private pcscd and the virtual card are started first, and the Command and
# File pages are rendered with real answers of the card in them.
set -euo pipefail
cd "$(dirname "$0")/.."

CARD=0
if [[ ${1:-} == --card ]]; then
    CARD=1
    shift
fi
OUT=${1:-build/pages}
BUILD=${CORVANTA_RENDER_BUILD:-build/render}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANTA_SANITIZE=OFF \
      -DCORVANTA_BENCH=OFF >/dev/null
targets=(corvanta_render_pages corvanta_command_ini)
[[ $CARD == 1 ]] && targets+=(corvanta-vsim corvanta-pcsc-wait)
cmake --build "$BUILD" -j"${CORVANTA_JOBS:-$(nproc)}" --target "${targets[@]}"

profile=$(mktemp -d)
cleanup() {
    if [[ $CARD == 1 ]]; then
        scripts/virtual-card.sh stop --run-dir "$profile/vsim" >/dev/null 2>&1 || true
    fi
    rm -rf "$profile"
}
trap cleanup EXIT
mkdir -p "$OUT"
socket="$profile/no-pcscd"
options=()
if [[ $CARD == 1 ]]; then
    exports=$(scripts/virtual-card.sh start --run-dir "$profile/vsim" --binary "$BUILD/bin/corvanta-vsim")
    eval "$exports"
    socket=$PCSCLITE_CSOCK_NAME
    options=(--card)
fi
# A fresh profile: the window as a first start shows it.
env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$profile" XDG_RUNTIME_DIR="$profile" \
    PCSCLITE_CSOCK_NAME="$socket" \
    "$BUILD/bin/corvanta_render_pages" "$OUT" "${options[@]}"
