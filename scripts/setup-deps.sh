#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package Corvanta needs to build, run and test. Idempotent: when
# everything is present it only checks, without touching the package lists.
# With --fuzz it adds clang and libFuzzer, which only scripts/fuzz.sh needs.
set -euo pipefail

PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libpcsclite-dev pcscd vsmartcard-vpcd pcsc-tools
  libosmocore-dev
  googletest libgtest-dev libgmock-dev
  util-linux fonts-dejavu-core
  # the validators of the desktop entry, the script file type, the AppStream file and the
  # manual pages
  desktop-file-utils shared-mime-info libxml2-utils appstream groff-base man-db
)
if [ "${1:-}" = --fuzz ]; then
  PACKAGES+=(clang libclang-rt-14-dev libfuzzer-14-dev)
fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
