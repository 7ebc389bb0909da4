#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the files installed for the desktop and for man with the validators Debian's own
# tools use, so a mistake shows here and not first in a software centre or in lintian.
# Exit 77 (a skipped test) when the validator is not installed.
#
#   validate.sh desktop FILE.desktop
#   validate.sh mime FILE.xml MIME-TYPE GLOB
#   validate.sh metainfo FILE.metainfo.xml FILE.desktop ICON.svg
#   validate.sh manpage FILE.1
#   validate.sh options FILE.1 PROGRAM [both]
set -euo pipefail

readonly SKIP=77

need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit $SKIP; }
    done
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs a command and fails when it fails or says anything on standard error.
quiet_or_fail() {
    local errors
    errors=$("$@" 2>&1 >/dev/null) || fail "$1 failed: $errors"
    [[ -z $errors ]] || fail "$1 warned: $errors"
}

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

check_desktop() {
    need desktop-file-validate
    # It reports errors, warnings and hints on standard output.
    local report
    report=$(desktop-file-validate "$1" 2>&1) || fail "$report"
    [[ -z $report ]] || fail "$report"
}

# The database tool accepts unknown elements silently, so check what it made of the file.
check_mime() {
    local file=$1 type=$2 glob=$3
    need xmllint update-mime-database
    quiet_or_fail xmllint --noout "$file"
    mkdir -p "$WORK/mime/packages"
    cp "$file" "$WORK/mime/packages/"
    XDG_DATA_DIRS=$WORK quiet_or_fail update-mime-database "$WORK/mime"
    grep -qxF "50:$type:$glob" "$WORK/mime/globs2" || fail "no glob $glob for $type"
    [[ -f $WORK/mime/${type}.xml ]] || fail "no type $type"
}

# validate-tree also checks that the launchable desktop entry is there.
check_metainfo() {
    local metainfo=$1 desktop=$2 icon=$3 share=$WORK/tree/usr/share
    need appstreamcli
    mkdir -p "$share/metainfo" "$share/applications" "$share/icons/hicolor/scalable/apps"
    cp "$metainfo" "$share/metainfo/"
    cp "$desktop" "$share/applications/"
    cp "$icon" "$share/icons/hicolor/scalable/apps/corvanta.svg"
    appstreamcli validate-tree --no-net "$WORK/tree" >"$WORK/report" 2>&1 ||
        fail "$(cat "$WORK/report")"
}

# As lintian renders a page, and groff with every warning on.
check_manpage() {
    need groff
    quiet_or_fail groff -ww -man -z "$1"
    if command -v man >/dev/null; then
        LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 quiet_or_fail man --warnings -E UTF-8 -l -Tutf8 -Z "$1"
    fi
}

# The long options a text names: roff writes them \-\-name.
long_options() {
    sed 's/\\-/-/g' | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u
}

# The options a page describes: those in the tag line of a .TP item in its OPTIONS and
# COMMANDS sections (a FILES item names an option's file, not the option).
item_options() {
    awk '/^\.SH / { described = $2 == "OPTIONS" || $2 == "COMMANDS" }
         tag { print; tag = 0 }
         described && /^\.TP/ { tag = 1 }' | long_options
}

# Every option the program's help lists is described in its page; with "both", the page
# describes no option the program does not have.
check_options() {
    local page=$1 program=$2 direction=${3:-}
    "$program" --help >"$WORK/help" 2>&1 || fail "$program --help failed"
    long_options <"$WORK/help" >"$WORK/program"
    item_options <"$page" >"$WORK/page"
    [[ -s $WORK/program ]] || fail "$program --help lists no option"
    local missing
    missing=$(comm -23 "$WORK/program" "$WORK/page")
    [[ -z $missing ]] || fail "$page describes no $missing"
    # The values a --help lists after "one of" (the test modes of the virtual card).
    local value
    for value in $(sed -n 's/.* is one of //p' "$WORK/help" | tr -d ','); do
        grep -qE "^\.B $(sed 's/-/\\\\-/g' <<<"$value")\$" "$page" || fail "$page lacks $value"
    done
    if [[ $direction == both ]]; then
        local stale
        stale=$(comm -13 "$WORK/program" "$WORK/page")
        [[ -z $stale ]] || fail "$page documents options $program lacks: $stale"
    fi
}

case ${1:-} in
    desktop) check_desktop "$2" ;;
    mime) check_mime "$2" "$3" "$4" ;;
    metainfo) check_metainfo "$2" "$3" "$4" ;;
    manpage) check_manpage "$2" ;;
    options) check_options "$2" "$3" "${4:-}" ;;
    *) fail "usage: $0 desktop|mime|metainfo|manpage|options ..." ;;
esac
echo ok
