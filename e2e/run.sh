#!/usr/bin/env bash
# End-to-end run of the Windows program under Wine.
#
# usage: e2e/run.sh <path-to-PosPrinterTester.exe> [artifact-dir]
#
# Runs the x86_64 program in a private Wine prefix on its own Xvfb display,
# with COM1 on a pseudo-terminal and LPT1 on a FIFO, both read by a capture
# process, and drives it with e2e/driver.cpp through the steps files
# e2e/steps/*.txt, checking every byte that reaches the ports. Each file
# names its group in its first row; each group is one start of the program,
# groups run in name order, the files of a group in name order.
# Screenshots, the captured bytes, the serial line log and the driver log
# go to the artifact dir (default build/e2e-artifacts).
#
# Environment:
#   E2E_GROUPS   the groups to run, separated by spaces (default all)
#   E2E_CACHE    where the prefix and the built helpers are kept
#                (default build/e2e-cache; delete it to start afresh)
#   E2E_LANG     locale for the Wine session (default C.UTF-8)
#   E2E_TIMEOUT  seconds one group may run (default 240)
#   E2E_TRACE    set to show what the driver does between checks
#   E2E_DPI      the screen's dots per inch (Wine's LogPixels; default 96)
#   E2E_SCREEN   the screen size (default 1024x768)
#   E2E_BENCH    set to measure the program's start against a bare window
#                after the groups (e2e/startup_bench.sh)
#   E2E_POSTEST  the command line postest.exe, to run its checks after the
#                groups (e2e/postest_checks.sh)
#
# Needs: gcc, g++-mingw-w64-x86-64-posix, wine64, xvfb, imagemagick,
# fonts-wqy-microhei, fonts-wine.
set -uo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO=$(cd "$HERE/.." && pwd)

say() { printf 'e2e: %s\n' "$*"; }
die() { printf 'e2e: FAILED: %s\n' "$*" >&2; exit 1; }

[ $# -ge 1 ] && [ $# -le 2 ] || die "usage: e2e/run.sh <path-to-PosPrinterTester.exe> [artifact-dir]"
EXE=$(realpath -e "$1" 2>/dev/null) || die "no program at '$1'"
ART=${2:-$REPO/build/e2e-artifacts}
mkdir -p "$ART" || die "cannot create the artifact dir '$ART'"
ART=$(realpath "$ART")
CACHE=${E2E_CACHE:-$REPO/build/e2e-cache}
mkdir -p "$CACHE/bin" || die "cannot create '$CACHE'"
CACHE=$(realpath "$CACHE")
PORTS=$CACHE/ports
BIN=$CACHE/bin

source "$HERE/wine_session.sh"
export WINEPREFIX=$CACHE/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LANG=${E2E_LANG:-C.UTF-8}
export LC_ALL=$LANG
unset DISPLAY WAYLAND_DISPLAY
started=$(date +%s)

# Results of an earlier run would mislead.
rm -f "$ART"/*.png "$ART"/{driver.log,serial.bin,parallel.bin,line.log}

# ---------------------------------------------------------------- groups

# The group of a steps file: its first row, "group NAME".
group_of() { awk '/^[[:space:]]*(#|$)/ { next } { if ($1 == "group" && NF == 2) print $2; exit }' "$1"; }

declare -A files_of=()
while IFS= read -r f; do
    g=$(group_of "$f")
    [ -n "$g" ] || die "$f: the first row must be \"group NAME\""
    files_of[$g]+="$f"$'\n'
done < <(printf '%s\n' "$HERE"/steps/*.txt | LC_ALL=C sort)
[ ${#files_of[@]} -gt 0 ] || die "no steps files in $HERE/steps"
mapfile -t groups < <(printf '%s\n' "${!files_of[@]}" | LC_ALL=C sort)
if [ -n "${E2E_GROUPS:-}" ]; then
    for g in $E2E_GROUPS; do [ -n "${files_of[$g]:-}" ] || die "no group '$g' (groups: ${groups[*]})"; done
    mapfile -t groups < <(printf '%s\n' $E2E_GROUPS | LC_ALL=C sort -u)
fi

# ---------------------------------------------------------------- tools

missing=()
need() { command -v "$1" >/dev/null 2>&1 || [ -x "$1" ] || missing+=("$1 ($2)"); }
need gcc gcc
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need "$WINE" wine64
need "$WINESERVER" wine64
need Xvfb xvfb
need import imagemagick
need convert imagemagick
need flock util-linux
[ -f "$FONT" ] || missing+=("$FONT (fonts-wqy-microhei)")
[ ${#missing[@]} -eq 0 ] || die "missing: ${missing[*]}"
[ -f "$MARLETT" ] ||
    say "warning: fonts-wine is not installed; title-bar buttons will show as letters in the screenshots"

# One run at a time per cache: the prefix and the port paths are shared.
exec 9>"$CACHE/lock"
flock -w 600 9 || die "another run holds $CACHE/lock"

build_capture "$BIN"
build_tool "$BIN/netprinter" "$HERE/netprinter.c" gcc -O2 -Wall -Wextra -o "$BIN/netprinter" "$HERE/netprinter.c"
build_tool "$BIN/linelog.so" "$HERE/linelog.c" \
    gcc -O2 -Wall -Wextra -shared -fPIC -o "$BIN/linelog.so" "$HERE/linelog.c" -ldl
build_tool "$BIN/portprobe.exe" "$HERE/portprobe.c" \
    x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -static -o "$BIN/portprobe.exe" "$HERE/portprobe.c"
build_tool "$BIN/driver.exe" "$HERE/driver.cpp" \
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -municode -static \
    -o "$BIN/driver.exe" "$HERE/driver.cpp" -luser32 -lgdi32

# The data dir of the steps' <FILE> patterns: the stored print jobs as the
# generator makes them (scripts/build.sh builds it in build/host).
DATA=$CACHE/data
rm -rf "$DATA" && mkdir -p "$DATA" || die "cannot create '$DATA'"
gen=$(find "$REPO/build/host" -name make_sample_jobs -type f -perm -u+x 2>/dev/null | head -n1)
if [ -n "$gen" ]; then
    "$gen" "$DATA" >/dev/null || die "the print job generator failed"
else
    say "warning: no make_sample_jobs under build/host; steps comparing with stored jobs will fail"
fi
export E2E_DATA=$(winpath "$DATA")

# ---------------------------------------------------------------- prefix

# Every Wine process of the run shows on one virtual desktop, which draws
# the window frames that no window manager draws here.
PREFIX_EXTRA_REG=$(printf '%s\r\n' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="e2e"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"e2e"="1024x768"' '')
prepare_prefix "$PORTS/com1" "$CACHE"
SCREEN=${E2E_SCREEN:-1024x768}
set_screen "${E2E_DPI:-96}" e2e "$SCREEN"

# ---------------------------------------------------------------- cleanup

# The Wine processes of this prefix, left waiting for a server that ended.
kill_orphans() {
    local p
    for p in $(pgrep -f '^[A-Z]:\\'); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "$p"
    done
}

pids=()
cleanup() {
    WINEPREFIX=$WINEPREFIX "$WINESERVER" -k 2>/dev/null
    [ "${server_ended:-0}" -eq 0 ] || kill_orphans
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---------------------------------------------------------------- ports

"$WINESERVER" -k 2>/dev/null # a left-over session of this prefix
start_capture "$BIN" "$PORTS"
map_lpt1 "$PORTS/lpt1"
# Network printers on free loopback ports: one that prints, one that never
# reads, and a port with no listener; the steps name them {NET_PORT},
# {NET_STALLED_PORT} and {NET_CLOSED_PORT}.
"$BIN/netprinter" "$PORTS" 2>"$PORTS/netprinter.err" &
pids+=($!)
for _ in $(seq 50); do [ -e "$PORTS/net.ready" ] && break; sleep 0.1; done
[ -e "$PORTS/net.ready" ] || die "the network printer did not start: $(cat "$PORTS/netprinter.err")"
read -r E2E_NET_PORT E2E_NET_STALLED_PORT E2E_NET_CLOSED_PORT <"$PORTS/net.ready"
export E2E_NET_PORT E2E_NET_STALLED_PORT E2E_NET_CLOSED_PORT
export E2E_LINE_TTY=$PTY E2E_LINE_LOG=$PORTS/line.log

# ---------------------------------------------------------------- display

Xvfb -displayfd 8 -screen 0 "${SCREEN}x24" -nolisten tcp 8>"$PORTS/display" 2>"$PORTS/xvfb.err" &
pids+=($!)
for _ in $(seq 100); do [ -s "$PORTS/display" ] && break; sleep 0.1; done
[ -s "$PORTS/display" ] || die "Xvfb did not start: $(cat "$PORTS/xvfb.err")"
export DISPLAY=:$(head -n1 "$PORTS/display")

# Takes the screenshots the driver asks for (name x y w h in shot.req).
shots() {
    local name x y w h
    while :; do
        if [ -f "$PORTS/shot.req" ]; then
            read -r name x y w h <"$PORTS/shot.req"
            name=${name//[^A-Za-z0-9_-]/_}
            import -window root "$ART/$name.png" 2>>"$PORTS/shots.err"
            if [ "${w:-0}" -gt 0 ] && [ "${h:-0}" -gt 0 ]; then
                [ "$x" -lt 0 ] && { w=$((w + x)); x=0; }
                [ "$y" -lt 0 ] && { h=$((h + y)); y=0; }
                convert "$ART/$name.png" -crop "${w}x${h}+${x}+${y}" +repage \
                    "$ART/$name-window.png" 2>>"$PORTS/shots.err"
            fi
            rm -f "$PORTS/shot.req"
        fi
        sleep 0.1
    done
}
shots &
pids+=($!)

# Returns once the capture process has taken in every byte written so far.
sync_ports() {
    : >"$PORTS/sync.req"
    for _ in $(seq 500); do [ -e "$PORTS/sync.req" ] || return 0; sleep 0.01; done
    return 1
}

LD_PRELOAD=$BIN/linelog.so
export LD_PRELOAD

# Wine's server, started here so that its end is seen at once: every Wine
# process would wait for it forever.
"$WINESERVER" -f -p 2>"$PORTS/wineserver.err" &
server_pid=$!
pids+=($server_pid)

# The desktop, started once, keeps Wine's own processes up between groups.
"$WINE" explorer /desktop=e2e,"$SCREEN" >/dev/null 2>&1 &
pids+=($!)

# ---------------------------------------------------------------- harness check

harness_failed=0
server_ended=0
"$WINE" "$BIN/portprobe.exe" >"$PORTS/probe.out" 2>&1
probe_rc=$?
sync_ports
probe_com=$(od -An -tx1 -v "$PORTS/serial.bin" | tr -d ' \n')
probe_lpt=$(od -An -tx1 -v "$PORTS/parallel.bin" | tr -d ' \n')
want_com=$(printf 'probe-com1\r\n' | od -An -tx1 | tr -d ' \n')001bff
want_lpt=$(printf 'probe-lpt1\r\n' | od -An -tx1 | tr -d ' \n')001bff
if [ $probe_rc -ne 0 ] || [ "$probe_com" != "$want_com" ] || [ "$probe_lpt" != "$want_lpt" ]; then
    say "FAIL harness: the port capture does not work (probe rc $probe_rc, COM1 [$probe_com], LPT1 [$probe_lpt])"
    sed 's/^/e2e:   /' "$PORTS/probe.out"
    harness_failed=1
elif ! grep -q 'baud=9600 bits=8 parenb=0 parodd=0 cstopb=0' "$PORTS/line.log" 2>/dev/null ||
    ! grep -q 'dtr=1' "$PORTS/line.log" ||
    ! grep tcsetattr "$PORTS/line.log" | tail -n1 | grep -q 'baud=19200 bits=7 parenb=1 parodd=0 cstopb=1'; then
    say "FAIL harness: the serial line settings are not observed (line log: $(tr '\n' ';' <"$PORTS/line.log" 2>/dev/null))"
    harness_failed=1
else
    say "PASS harness: COM1 and LPT1 capture and serial line log work"
fi
: >"$PORTS/serial.bin"
: >"$PORTS/parallel.bin"
: >"$PORTS/line.log"

# ---------------------------------------------------------------- groups of steps

# A group whose driver gave no result counts as one failure in driver.log.
run_group() {  # run_group <group>
    local g=$1 f rc files=()
    while IFS= read -r f; do [ -n "$f" ] && files+=("$(winpath "$f")"); done <<<"${files_of[$g]}"
    rm -f "$PORTS/driver.rc"
    timeout "${E2E_TIMEOUT:-240}" "$WINE" "$BIN/driver.exe" \
        "$(winpath "$EXE")" "$(winpath "$PORTS")" "$(winpath "$ART")" "$g" "${files[@]}" \
        2>>"$PORTS/driver.err" &
    local driver=$!
    while kill -0 $driver 2>/dev/null && kill -0 $server_pid 2>/dev/null; do sleep 0.2; done
    if ! kill -0 $server_pid 2>/dev/null; then
        kill $driver 2>/dev/null
        echo "FAIL group $g: Wine's server ended: $(tail -n2 "$PORTS/wineserver.err" | tr '\n' ' ')" >>"$ART/driver.log"
        server_ended=1
        return
    fi
    wait $driver
    rc=$?
    [ -f "$PORTS/driver.rc" ] && return
    if [ $rc -eq 124 ]; then
        echo "FAIL group $g: the driver did not finish within ${E2E_TIMEOUT:-240} s" >>"$ART/driver.log"
    else
        echo "FAIL group $g: the driver ended without a result (exit $rc): $(tail -n3 "$PORTS/driver.err")" \
            >>"$ART/driver.log"
    fi
}

if [ $harness_failed -eq 0 ]; then
    say "running $(basename "$EXE") on display $DISPLAY (serial port $PTY), groups: ${groups[*]}"
    for g in "${groups[@]}"; do
        [ $server_ended -eq 0 ] || break # no Wine process can go on
        group_started=$(date +%s)
        run_group "$g"
        say "group $g took $(($(date +%s) - group_started)) s"
    done
fi

if [ $harness_failed -eq 0 ] && [ $server_ended -eq 0 ] && [ -n "${E2E_BENCH:-}" ]; then
    source "$HERE/startup_bench.sh"
    startup_benchmark "$EXE" "$BIN" "$ART"
fi

if [ $harness_failed -eq 0 ] && [ $server_ended -eq 0 ] && [ -n "${E2E_POSTEST:-}" ]; then
    source "$HERE/postest_checks.sh"
    postest_checks "$(realpath "$E2E_POSTEST")" "$ART"
fi

for f in serial.bin parallel.bin network.bin line.log; do cp "$PORTS/$f" "$ART/" 2>/dev/null; done
[ -s "$PORTS/shots.err" ] && say "screenshot errors: $(head -n3 "$PORTS/shots.err")"

passed=$(grep -c '^PASS' "$ART/driver.log" 2>/dev/null)
failed=$(grep -c '^FAIL' "$ART/driver.log" 2>/dev/null)
passed=$((${passed:-0} + 1 - harness_failed))
failed=$((${failed:-0} + harness_failed))
say "artifacts in $ART ($(($(date +%s) - started)) s)"
if [ "$failed" -gt 0 ]; then
    say "failed steps:"
    grep '^FAIL' "$ART/driver.log" 2>/dev/null | sed 's/^/e2e:   /'
fi
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
