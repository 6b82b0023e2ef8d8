#!/usr/bin/env bash
# Builds the host tools and the Windows program.
#   scripts/build.sh [x86_64|i686]...   (default: both)
# Results: build/win64/win32/PosPrinterTester.exe, build/win32/win32/PosPrinterTester.exe
# and the downloads build/dist/PosPrinterTester-<version>-win64.zip, -win32.zip
set -euo pipefail
cd "$(dirname "$0")/.."
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)
jobs=$(nproc)

cmake -S . -B build/host -DWITH_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host -j"$jobs" --target make_pictures make_sample_jobs make_dialog_tables make_text_data

packs=()
for arch in "${arches[@]}"; do
  case "$arch" in
    x86_64) dir=build/win64; packs+=(win64=$dir) ;;
    i686) dir=build/win32; packs+=(win32=$dir) ;;
    *) echo "unknown architecture: $arch" >&2; exit 2 ;;
  esac
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DHOST_TOOLS_FILE="$PWD/build/host/host-tools.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "built $dir/win32/PosPrinterTester.exe"
done
python3 scripts/package.py build/dist "${packs[@]}"
