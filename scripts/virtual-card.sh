#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts, stops or reports the Corvanta virtual SIM card: a private pcscd (in its own mount
# namespace, so it never meets the system's pcscd or readers) with one vpcd reader, and
# corvanta-vsim plugged into that reader.
#
#   eval "$(scripts/virtual-card.sh start)"   # then pcsc_scan, scriptor, corvanta ...
#   scripts/virtual-card.sh status
#   scripts/virtual-card.sh stop
set -euo pipefail

readonly READER_NAME="Corvanta Virtual SIM"
readonly VPCD_DRIVER=/usr/lib/pcsc/drivers/serial/libifdvpcd.so
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO=$(dirname "$HERE")
# Installed as corvanta-virtual-card, the card program sits beside it; in a source tree it
# is the build's.
if [[ -x $HERE/corvanta-vsim ]]; then
    DEFAULT_BINARY=$HERE/corvanta-vsim
else
    DEFAULT_BINARY=$REPO/build/bin/corvanta-vsim
fi

usage() {
    cat <<USAGE
Usage: $(basename "$0") start|stop|status [options]

  start    start a private pcscd with the virtual card; prints export lines for eval
  stop     end the card and the pcscd (SIGTERM, then wait)
  status   say whether they run (exit 0 running, 3 stopped, 1 half running)

Options (environment variable in brackets):
  --run-dir DIR   folder for sockets, pids and logs [CORVANTA_VSIM_RUN_DIR]
                  (default \$XDG_RUNTIME_DIR/corvanta-vsim or /tmp/corvanta-vsim-\$UID)
  --binary PATH   the card program [CORVANTA_VSIM] (default $DEFAULT_BINARY)
  --profile FILE  card profile [CORVANTA_VSIM_PROFILE] (default: the program's default.sim)
  --state FILE    keep the card's changes in FILE [CORVANTA_VSIM_STATE]
  --port PORT     vpcd TCP port; PORT+1 is used too (default: a free pair)
  --timeout SEC   how long start waits for the card (default 15)
  -h, --help      show this help
USAGE
}

say() { echo "virtual-card: $*" >&2; }
die() { say "$*"; exit 1; }

# ---- options ----------------------------------------------------------------------------
[[ $# -ge 1 ]] || { usage >&2; exit 2; }
COMMAND=$1
shift
if [[ -n ${XDG_RUNTIME_DIR:-} ]]; then
    RUN_DIR=${CORVANTA_VSIM_RUN_DIR:-$XDG_RUNTIME_DIR/corvanta-vsim}
else
    RUN_DIR=${CORVANTA_VSIM_RUN_DIR:-/tmp/corvanta-vsim-$(id -u)}
fi
BINARY=${CORVANTA_VSIM:-$DEFAULT_BINARY}
PROFILE=${CORVANTA_VSIM_PROFILE:-}
STATE=${CORVANTA_VSIM_STATE:-}
PORT=
TIMEOUT=15
while [[ $# -gt 0 ]]; do
    case $1 in
        --run-dir|--binary|--profile|--state|--port|--timeout)
            [[ $# -ge 2 && -n $2 ]] || die "$1 needs a value"
            case $1 in
                --run-dir) RUN_DIR=$2 ;;
                --binary) BINARY=$2 ;;
                --profile) PROFILE=$2 ;;
                --state) STATE=$2 ;;
                --port) PORT=$2 ;;
                --timeout) TIMEOUT=$2 ;;
            esac
            shift 2 ;;
        -h|--help) usage; exit 0 ;;
        *) usage >&2; die "unknown option '$1'" ;;
    esac
done
[[ -z $PORT || $PORT =~ ^[0-9]+$ && $PORT -ge 1 && $PORT -le 65534 ]] ||
    die "--port needs a number from 1 to 65534"
[[ $TIMEOUT =~ ^[0-9]+$ ]] || die "--timeout needs a number of seconds"

IPC_DIR=$RUN_DIR/ipc
SOCKET=$IPC_DIR/pcscd.comm

# ---- processes --------------------------------------------------------------------------
# A pid file names our process only while that pid still runs the expected program, so a
# recycled pid is never signalled.
pid_of() {
    local file=$RUN_DIR/$1.pid name=$2 pid
    [[ -r $file ]] || return 1
    pid=$(<"$file")
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == "$name" ]] || return 1
    echo "$pid"
}

stop_process() {
    local label=$1 name=$2 pid
    pid=$(pid_of "$label" "$name") || { rm -f "$RUN_DIR/$label.pid"; return 0; }
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        say "$label (pid $pid) did not end within 5 s; killing it"
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$RUN_DIR/$label.pid"
}

print_exports() {
    echo "export PCSCLITE_CSOCK_NAME='$SOCKET'"
    echo "export CORVANTA_VSIM_READER='$READER_NAME 00 00'"
}

port_in_use() {
    if command -v ss >/dev/null; then
        [[ -n $(ss -Htln "sport = :$1") ]]
    else
        (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
    fi
}

pick_port() {
    local candidate
    for _ in $(seq 200); do
        candidate=$((20000 + RANDOM % 40000))
        if ! port_in_use "$candidate" && ! port_in_use $((candidate + 1)); then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}

make_run_dir() {
    mkdir -p "$(dirname "$RUN_DIR")"
    [[ -d $RUN_DIR ]] || mkdir -m 700 "$RUN_DIR"
    [[ -d $RUN_DIR && ! -L $RUN_DIR && -O $RUN_DIR ]] ||
        die "run folder $RUN_DIR is not a folder of this user"
    rm -rf "$IPC_DIR" "$RUN_DIR/readers"
    mkdir -m 755 "$IPC_DIR" "$RUN_DIR/readers"
}

# pcscd always puts its socket in /run/pcscd: give it a private one. As a normal user the
# namespace also needs a user namespace, and a tmpfs on /run to create /run/pcscd in.
# shellcheck disable=SC2016  # $1 and $2 belong to the inner shell
start_pcscd() {
    local inner
    if [[ $(id -u) -eq 0 ]]; then
        inner='mkdir -p /run/pcscd && mount --bind "$1" /run/pcscd && exec pcscd -f -c "$2"'
        setsid unshare -m --propagation private sh -c "$inner" sh "$IPC_DIR" "$RUN_DIR/readers" \
            >"$RUN_DIR/pcscd.log" 2>&1 </dev/null &
    else
        inner='mount -t tmpfs tmpfs /run && mkdir /run/pcscd && mount --bind "$1" /run/pcscd && exec pcscd -f -c "$2"'
        setsid unshare -r -m --propagation private sh -c "$inner" sh "$IPC_DIR" "$RUN_DIR/readers" \
            >"$RUN_DIR/pcscd.log" 2>&1 </dev/null &
    fi
    echo $! >"$RUN_DIR/pcscd.pid"
}

start_card() {
    local args=(--port "$PORT")
    [[ -n $PROFILE ]] && args+=(--profile "$PROFILE")
    [[ -n $STATE ]] && args+=(--state "$STATE")
    setsid "$BINARY" "${args[@]}" >"$RUN_DIR/card.log" 2>&1 </dev/null &
    echo $! >"$RUN_DIR/card.pid"
}

fail_start() {
    say "$1"
    for log in pcscd card; do
        [[ -s $RUN_DIR/$log.log ]] && { say "--- $log.log:"; tail -n 5 "$RUN_DIR/$log.log" >&2; }
    done
    stop_process card corvanta-vsim
    stop_process pcscd pcscd
    exit 1
}

# ---- commands ---------------------------------------------------------------------------
do_status() {
    local card daemon
    card=$(pid_of card corvanta-vsim) || card=
    daemon=$(pid_of pcscd pcscd) || daemon=
    if [[ -n $card && -n $daemon ]]; then
        say "running: pcscd pid $daemon, card pid $card, port $(cat "$RUN_DIR/port" 2>/dev/null)"
        say "reader: $READER_NAME 00 00"
        print_exports
        return 0
    fi
    if [[ -z $card && -z $daemon ]]; then
        say "not running"
        return 3
    fi
    say "half running: pcscd ${daemon:-stopped}, card ${card:-stopped}; run stop, then start"
    return 1
}

do_start() {
    if do_status >/dev/null 2>&1; then
        say "already running (this call's options are not applied; stop it first to change them)"
        do_status
        return 0
    fi
    command -v pcscd >/dev/null || die "pcscd is not installed"
    [[ -r $VPCD_DRIVER ]] || die "the vpcd driver $VPCD_DRIVER is missing (vsmartcard-vpcd)"
    [[ -x $BINARY ]] || die "card program $BINARY not found (build it or set CORVANTA_VSIM)"
    local wait_tool=${CORVANTA_PCSC_WAIT:-$(dirname "$BINARY")/corvanta-pcsc-wait}
    # An installed helper lives off the PATH, in libexec.
    [[ -n ${CORVANTA_PCSC_WAIT:-} || -x $wait_tool ]] ||
        wait_tool=$(dirname "$HERE")/libexec/corvanta/corvanta-pcsc-wait
    [[ -x $wait_tool ]] || die "$wait_tool not found (it is built beside corvanta-vsim)"
    [[ -z $PROFILE || -r $PROFILE ]] || die "profile $PROFILE cannot be read"
    [[ -n $PROFILE ]] && PROFILE=$(realpath "$PROFILE")
    [[ -n $STATE ]] && STATE=$(realpath -m "$STATE")

    stop_process card corvanta-vsim
    stop_process pcscd pcscd
    make_run_dir
    [[ -n $PORT ]] || PORT=$(pick_port) || die "no free TCP port pair found"
    printf 'FRIENDLYNAME "%s"\nDEVICENAME /dev/null:0x%X\nLIBPATH %s\nCHANNELID 0x%X\n' \
        "$READER_NAME" "$PORT" "$VPCD_DRIVER" "$PORT" >"$RUN_DIR/readers/corvanta-vsim.conf"
    echo "$PORT" >"$RUN_DIR/port"

    start_pcscd
    start_card
    # Wait in short slices so that a card or pcscd that ends at once (a bad profile, say)
    # is reported at once.
    local deadline=$((SECONDS + TIMEOUT)) daemon_pid card_pid
    daemon_pid=$(<"$RUN_DIR/pcscd.pid")
    card_pid=$(<"$RUN_DIR/card.pid")
    until PCSCLITE_CSOCK_NAME=$SOCKET "$wait_tool" "$READER_NAME 00 00" 500 2>/dev/null; do
        kill -0 "$daemon_pid" 2>/dev/null || fail_start "pcscd ended"
        kill -0 "$card_pid" 2>/dev/null || fail_start "the card program ended"
        ((SECONDS < deadline)) || fail_start "the card did not appear within $TIMEOUT s"
    done
    say "started: reader \"$READER_NAME 00 00\" on port $PORT, run folder $RUN_DIR"
    print_exports
}

do_stop() {
    local was_running=0
    pid_of card corvanta-vsim >/dev/null && was_running=1
    pid_of pcscd pcscd >/dev/null && was_running=1
    stop_process card corvanta-vsim
    stop_process pcscd pcscd
    rm -rf "$IPC_DIR" "$RUN_DIR/readers" "$RUN_DIR/port"
    if [[ $was_running -eq 1 ]]; then say "stopped"; else say "was not running"; fi
}

case $COMMAND in
    start) do_start ;;
    stop) do_stop ;;
    status) do_status ;;
    -h|--help|help) usage ;;
    *) usage >&2; exit 2 ;;
esac
