#!/usr/bin/env bash
# Renders the main window on each of its pages, and the small dialogs, to PNG files
# without a display, so anyone can check the look:
#
#   scripts/render-pages.sh [output folder]     (default: build/pages)
set -euo pipefail
cd "$(dirname "$0")/.."

OUT=${1:-build/pages}
BUILD=${CORVANTA_RENDER_BUILD:-build/render}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANTA_SANITIZE=OFF \
      -DCORVANTA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"${CORVANTA_JOBS:-$(nproc)}" --target corvanta_render_pages

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
mkdir -p "$OUT"
# A fresh profile and no smart-card service: the window as a first start shows it.
env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$profile" XDG_RUNTIME_DIR="$profile" \
    PCSCLITE_CSOCK_NAME="$profile/no-pcscd" \
    "$BUILD/bin/corvanta_render_pages" "$OUT"
