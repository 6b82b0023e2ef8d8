# Sourced by e2e/run.sh and run.sh: a private Wine prefix that shows
# Chinese, and COM1/LPT1 on the capture process (or on real devices).
# The caller defines die() and keeps the pids of what it starts in pids[].
# Safe under set -e.

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
# Wine's caption-button font: without it the title-bar buttons show as 0 1 r.
MARLETT=/usr/share/wine/fonts/marlett.ttf
SESSION_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Windows path of a Unix path, through drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Rebuilds $1 from the source $2 with the command after them when stale.
build_tool() {
    local out=$1 src=$2
    shift 2
    if [ ! -e "$out" ] || [ "$src" -nt "$out" ]; then
        "$@" || die "cannot build $(basename "$out")"
    fi
}

build_capture() {  # build_capture <bin dir>
    build_tool "$1/capture" "$SESSION_DIR/capture.c" gcc -O2 -Wall -Wextra -o "$1/capture" "$SESSION_DIR/capture.c"
}

# Creates the prefix in $WINEPREFIX when missing or when its settings
# changed: Chinese font substitutes, COM1 mapped to $1, and the .reg text
# in PREFIX_EXTRA_REG (lines ending in \r\n).
prepare_prefix() {  # prepare_prefix <COM1 target> <cache dir>
    local com1=$1 cache=$2 reg_file=$2/prefix-settings.reg stamp
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
        for face in "宋体" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
            printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
        done
        printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
        printf '"COM1"="%s"\r\n\r\n' "$com1"
        printf '%s' "${PREFIX_EXTRA_REG:-}"
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg_file.new"
    stamp="prefix-2 $($WINE --version 2>/dev/null) $(md5sum <"$reg_file.new" | cut -c1-32)"

    if [ "$(cat "$WINEPREFIX/.prefix-stamp" 2>/dev/null)" = "$stamp" ]; then
        rm -f "$reg_file.new"
        return
    fi
    echo "Creating the Wine prefix $WINEPREFIX"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mv "$reg_file.new" "$reg_file"
    "$WINE" wineboot -i >"$cache/wineboot.log" 2>&1 || die "wineboot failed (see $cache/wineboot.log)"
    "$WINESERVER" -w
    cp "$FONT" "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot install the Chinese font"
    if [ -f "$MARLETT" ]; then cp "$MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
    "$WINE" regedit /S "$(winpath "$reg_file")" >/dev/null 2>&1 || die "cannot import $reg_file"
    "$WINESERVER" -w
    printf '%s\n' "$stamp" >"$WINEPREFIX/.prefix-stamp"
}

# Starts the capture process in <ports dir>: COM1 on a pseudo-terminal
# (linked as <ports>/com1, bytes to serial.bin) and LPT1 on a FIFO
# (bytes to parallel.bin). Sets PTY to the terminal's path.
start_capture() {  # start_capture <bin dir> <ports dir>
    local bin=$1 ports=$2
    rm -rf "$ports"
    mkdir -p "$ports"
    "$bin/capture" "$ports" 2>"$ports/capture.err" &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$ports/ready" ] && break; sleep 0.1; done
    [ -e "$ports/ready" ] || die "the capture process did not start: $(cat "$ports/capture.err")"
    PTY=$(cat "$ports/pty")
}

# Sets the screen's dots per inch (Wine's LogPixels) and the size of the
# virtual desktop <desktop> for the programs started from now on;
# remembered in the prefix.
set_screen() {  # set_screen <dpi> <desktop> <WIDTHxHEIGHT>
    local want="$1 $2 $3"
    [ "$(cat "$WINEPREFIX/.screen" 2>/dev/null)" = "$want" ] && return
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
        "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$2" /d "$3" /f >/dev/null 2>&1 ||
        die "cannot set the screen to $1 DPI, $3"
    "$WINESERVER" -w
    printf '%s\n' "$want" >"$WINEPREFIX/.screen"
}

# Points LPT1 at a FIFO or device.
map_lpt1() { ln -sfn "$1" "$WINEPREFIX/dosdevices/lpt1"; }
