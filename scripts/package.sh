#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages corvanta and corvanta-vsim from the working tree into
# build/packages and runs lintian on them. Installs the build tools it needs with apt-get.
#
#   scripts/package.sh           # build both packages, then lintian
#   scripts/package.sh --check   # also install them with apt into a clean Debian 12 root
#                                # (mmdebstrap; downloads a whole system), run the
#                                # programs there, and remove them again
#   scripts/package.sh --check-built   # only that check, on the packages already built
set -euo pipefail
cd "$(dirname "$0")/.."

CHECK=0
BUILD=1
case ${1:-} in
    "") ;;
    --check) CHECK=1 ;;
    --check-built) CHECK=1; BUILD=0 ;;
    -h|--help) sed -n '3,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown option '$1' (see --help)" >&2; exit 2 ;;
esac

say() { echo "package.sh: $*" >&2; }
die() { say "$*"; exit 1; }

SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
UPDATED=0

# Installs the packages not yet installed (the lists are refreshed once, and only then).
install_missing() {
    local package missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    say "installing ${missing[*]}"
    if [[ $UPDATED -eq 0 ]]; then
        "${SUDO[@]}" apt-get update -qq
        UPDATED=1
    fi
    "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

TOOLS=(dpkg-dev debhelper lintian git)
[[ $CHECK -eq 1 ]] && TOOLS+=(mmdebstrap)
install_missing "${TOOLS[@]}"

# The version the programs print is the package's.
VERSION=$(dpkg-parsechangelog -S Version)
PROJECT_VERSION=$(sed -n 's/^project(Corvanta VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
[[ $VERSION == "$PROJECT_VERSION" ]] ||
    die "debian/changelog is at $VERSION, CMakeLists.txt at $PROJECT_VERSION: add a changelog entry"

OUT=$PWD/build/packages
if [[ $BUILD -eq 1 ]]; then
    # Build from a copy of the working tree (tracked files and new ones not ignored), so that
    # uncommitted changes count and neither build/ nor the package build's files land in the tree.
    SOURCE=$OUT/src/corvanta-$VERSION
    rm -rf "$OUT/src"
    mkdir -p "$SOURCE"
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [[ -e $file ]] && printf '%s\0' "$file"; done |
        tar -c --null -T - | tar -x -C "$SOURCE"

    if ! (cd "$SOURCE" && dpkg-checkbuilddeps) 2>/dev/null; then
        say "installing the build dependencies"
        [[ $UPDATED -eq 1 ]] || "${SUDO[@]}" apt-get update -qq
        UPDATED=1
        "${SUDO[@]}" apt-get build-dep -y -qq --no-install-recommends "$SOURCE"
    fi

    # A developer's ccache makes rebuilds cheap; it changes nothing in the packages.
    if command -v ccache >/dev/null; then
        export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    fi
    rm -f "$OUT"/*.deb "$OUT"/*.buildinfo "$OUT"/*.changes
    say "building the packages in $SOURCE (log: $OUT/build.log)"
    if ! (cd "$SOURCE" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
            dpkg-buildpackage -us -uc -b) >"$OUT/build.log" 2>&1; then
        tail -n 30 "$OUT/build.log" >&2
        die "the package build failed (whole log: $OUT/build.log)"
    fi
    mv "$OUT"/src/*.deb "$OUT"/src/*.buildinfo "$OUT"/src/*.changes "$OUT/"
    rm -rf "$OUT/src"
    say "built:"
    ls -1 "$OUT"/*.deb >&2

    say "lintian:"
    lintian --fail-on error,warning --display-info "$OUT"/corvanta_"${VERSION}"_*.changes
    say "lintian: no error, no warning"
fi

[[ $CHECK -eq 1 ]] || exit 0

# ---- install check in a clean Debian 12 root ------------------------------------------
# The downloaded packages are kept in build/packages/apt-cache for the next check.
mkdir -p "$OUT/apt-cache"
MIRRORS=(
    "deb http://deb.debian.org/debian bookworm main"
    "deb http://deb.debian.org/debian bookworm-updates main"
    "deb http://deb.debian.org/debian-security bookworm-security main"
)
# Runs inside the root: install with apt, use each program, remove, and look for leftovers.
cat >"$OUT/install-check.sh" <<'CHECK'
set -euo pipefail
say() { echo "install-check: $*"; }
export DEBIAN_FRONTEND=noninteractive
files() {
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
        -o -path /var/cache -o -path /var/lib/apt -o -path /var/log \) -prune -o -print | sort
}
files >/tmp/before
apt-get install -y -q /tmp/debs/*.deb
say "installed: $(dpkg-query -W -f='${Package} ${Version}, ' 'corvanta*')"
# Each output is taken on its own line, where a failing program stops the check.
out=$(corvanta-run --version); say "$out"
if command -v corvanta-card >/dev/null; then
    out=$(corvanta-card --version); say "$out"
else
    say "corvanta-card: not in the package"
fi
corvanta-vsim --help >/tmp/vsim-help; say "corvanta-vsim --help: $(head -n 1 /tmp/vsim-help)"
out=$(QT_QPA_PLATFORM=offscreen CORVANTA_EXIT_AT_FIRST_PAINT=1 corvanta 2>/dev/null)
[[ $out == "first paint" ]]; say "corvanta: $out"
# The virtual card end to end (corvanta-virtual-card start) needs a private mount namespace,
# which a chroot whose root is no mount point cannot give; only its profile is checked here.
[[ -r /usr/share/corvanta-vsim/default.sim && -x /usr/libexec/corvanta/corvanta-pcsc-wait ]]
say "corvanta-vsim: default profile and corvanta-pcsc-wait in place"
apt-get purge -y -q corvanta corvanta-vsim
apt-get autoremove --purge -y -q
if dpkg-query -W 'corvanta*' 2>/dev/null | grep -q .; then
    say "still installed: $(dpkg-query -W 'corvanta*')"
    exit 1
fi
files >/tmp/after
left=$(comm -13 /tmp/before /tmp/after)
if grep -qi corvanta <<<"$left"; then
    say "left behind: $(grep -i corvanta <<<"$left" | tr '\n' ' ')"
    exit 1
fi
say "removed cleanly ($(grep -c . <<<"$left" || true) other new paths: $(tr '\n' ' ' <<<"$left"))"
CHECK

say "install check in a clean Debian 12 root (log: $OUT/check.log)"
if ! "${SUDO[@]}" mmdebstrap --variant=apt --mode=root \
        --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
        --setup-hook="sync-in $OUT/apt-cache /var/cache/apt/archives" \
        --customize-hook='mkdir -p "$1/tmp/debs"' \
        --customize-hook="copy-in $(printf '%q ' "$OUT"/corvanta{,-vsim}_"$VERSION"_*.deb) /tmp/debs" \
        --customize-hook="copy-in $OUT/install-check.sh /tmp" \
        --customize-hook='chroot "$1" bash /tmp/install-check.sh' \
        --customize-hook="sync-out /var/cache/apt/archives $OUT/apt-cache" \
        bookworm /dev/null "${MIRRORS[@]}" >"$OUT/check.log" 2>&1; then
    grep -v '^I: ' "$OUT/check.log" | tail -n 40 >&2
    die "the install check failed (whole log: $OUT/check.log)"
fi
sed -n '/^install-check: /p' "$OUT/check.log" >&2
say "install check passed"
