#!/usr/bin/env bash
# Checks the Windows builds and their downloads.
#   check_release.sh <dist dir> <arch>=<build dir>...    (arch win32 or win64)
# For each build: what Explorer and Windows read from both programs
# (check_program_info.cpp); its zip holds exactly the folder
# PosPrinterTester-4.22-<arch> with the program, postest.exe and the
# readme (Chinese and English, CR LF), the programs equal to the build's;
# packing again from fresh copies, in another time zone, gives the same bytes.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <dist dir> <arch>=<build dir>..." >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
dist=$1
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"${CXX:-c++}" -std=c++20 -O1 -Wall -Wextra -I "$here/../support" -o "$tmp/check_program_info" \
    "$here/check_program_info.cpp"

failures=0
fail() { echo "  FAIL $*"; failures=$((failures + 1)); }

again=()
for pair in "$@"; do
    arch=${pair%%=*} build=${pair#*=}
    case $arch in win32) machine=i686 ;; win64) machine=x86_64 ;; *) echo "unknown arch $arch" >&2; exit 2 ;; esac
    echo "$build/win32/PosPrinterTester.exe:"
    "$tmp/check_program_info" "$build/win32/PosPrinterTester.exe" $machine 打印机测试程序 --icon || failures=$((failures + 1))
    echo "$build/companion/postest.exe:"
    "$tmp/check_program_info" "$build/companion/postest.exe" $machine 命令行 || failures=$((failures + 1))

    folder=PosPrinterTester-4.22-$arch
    zip=$dist/$folder.zip
    echo "$zip:"
    listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
    [ "$listed" = "$folder/PosPrinterTester.exe $folder/postest.exe $folder/README.txt " ] ||
        fail "entries are [$listed]"
    unzip -p "$zip" "$folder/PosPrinterTester.exe" | cmp -s - "$build/win32/PosPrinterTester.exe" ||
        fail "PosPrinterTester.exe differs from the build's"
    unzip -p "$zip" "$folder/postest.exe" | cmp -s - "$build/companion/postest.exe" ||
        fail "postest.exe differs from the build's"
    unzip -p "$zip" "$folder/README.txt" >"$tmp/readme"
    [ "$(head -c3 "$tmp/readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "the readme has no byte order mark"
    [ "$(grep -c $'\r$' "$tmp/readme")" = "$(wc -l <"$tmp/readme")" ] || fail "the readme's lines do not end in CR LF"
    for text in 端口设置 连接打印机 "Connecting a printer" "Port settings" 4.22; do
        grep -q "$text" "$tmp/readme" || fail "the readme does not mention $text"
    done

    mkdir -p "$tmp/$arch/win32" "$tmp/$arch/companion"
    cp "$build/win32/PosPrinterTester.exe" "$tmp/$arch/win32/"
    cp "$build/companion/postest.exe" "$tmp/$arch/companion/"
    cp "$build/CMakeCache.txt" "$tmp/$arch/"
    again+=("$arch=$tmp/$arch")
done

TZ=Asia/Shanghai python3 "$repo/scripts/package.py" "$tmp/dist" "${again[@]}" >/dev/null
for pair in "${again[@]}"; do
    name=PosPrinterTester-4.22-${pair%%=*}.zip
    cmp -s "$tmp/dist/$name" "$dist/$name" || fail "$name packed again differs"
done

if [ $failures -gt 0 ]; then
    echo "release check: $failures failure(s)"
    exit 1
fi
echo "release check: all passed"
