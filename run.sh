#!/usr/bin/env bash
# Builds the program and starts it.
#
#   ./run.sh [--com1 DEVICE] [--lpt1 DEVICE]
#
# On Linux the x86_64 program runs under Wine in a private prefix. COM1 and
# LPT1 go to a virtual printer that records every byte in
# build/printer/serial.bin and build/printer/parallel.bin, unless a device
# is named (e.g. --com1 /dev/ttyUSB0, --lpt1 /dev/usb/lp0). When the
# program ends, each non-empty recording is decoded and drawn next to it
# (serial.txt and serial.png, parallel.txt and parallel.png).
set -euo pipefail
cd "$(dirname "$0")"
REPO=$PWD

die() { printf 'run.sh: %s\n' "$*" >&2; exit 1; }
com1_device="" lpt1_device=""
while [ $# -gt 0 ]; do
    case "$1" in
        --com1) com1_device=${2:?--com1 needs a device}; shift 2 ;;
        --lpt1) lpt1_device=${2:?--lpt1 needs a device}; shift 2 ;;
        *) die "usage: ./run.sh [--com1 DEVICE] [--lpt1 DEVICE]" ;;
    esac
done

scripts/install-deps.sh
scripts/build.sh x86_64
EXE=$REPO/build/win64/win32/PosPrinterTester.exe
# The command-line companion, natively, to show what the virtual printer got.
cmake --build build/host -j"$(nproc)" --target postest >/dev/null
POSTEST=$REPO/build/host/companion/postest

CACHE=$REPO/build/run-cache
PRINTER=$REPO/build/printer
mkdir -p "$CACHE/bin"
source e2e/wine_session.sh
export WINEPREFIX=$CACHE/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="

pids=()
cleanup() {
    "$WINESERVER" -k 2>/dev/null || true
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

build_capture "$CACHE/bin"
prepare_prefix "${com1_device:-$PRINTER/com1}" "$CACHE"
"$WINESERVER" -k 2>/dev/null || true
start_capture "$CACHE/bin" "$PRINTER"
map_lpt1 "${lpt1_device:-$PRINTER/lpt1}"

launch=("$WINE")
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$CACHE/display" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$CACHE/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$CACHE/display")
    echo "No display: the program runs on the virtual display $DISPLAY (Xvfb)."
    # A Wine desktop draws the window frames that no window manager draws here.
    launch=("$WINE" explorer /desktop=PosPrinterTester,1024x768)
fi

echo "COM1 -> ${com1_device:-$PRINTER/serial.bin (virtual printer)}"
echo "LPT1 -> ${lpt1_device:-$PRINTER/parallel.bin (virtual printer)}"
echo "Starting $EXE"
"${launch[@]}" "$EXE" || true

# Decodes and draws one recording next to it.
preview() {  # preview PORT FILE.bin
    local base=${2%.bin}
    rm -f "$base.txt" "$base.png"
    echo "Bytes sent to $1: $(stat -c %s "$2") in $2"
    [ -s "$2" ] || return 0
    "$POSTEST" decode --set auto "$2" >"$base.txt" 2>/dev/null || true
    "$POSTEST" render --set auto "$2" -o "$base.png" 2>/dev/null || true
    echo "  as commands: $base.txt"
    echo "  as printed:  $base.png"
}

echo
[ -n "$com1_device" ] || preview COM1 "$PRINTER/serial.bin"
[ -n "$lpt1_device" ] || preview LPT1 "$PRINTER/parallel.bin"
