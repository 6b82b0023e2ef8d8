#!/usr/bin/env bash
# Installs what is needed and runs every test: the core natively (plain,
# with AddressSanitizer + UBSan, with ThreadSanitizer), the fuzz targets for
# a few seconds each, both Windows builds,
# the embedded print jobs, and the program end to end under Wine.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
step() { printf '\n== %s ==\n' "$*"; }

step "Installing packages"
scripts/install-deps.sh

native() {  # native <build dir> <sanitizers> [target] [test name regex]
  cmake -S . -B "$1" -DWITH_TESTS=ON -DCMAKE_BUILD_TYPE=Debug -DSANITIZE="$2" >/dev/null
  cmake --build "$1" -j"$jobs" ${3:+--target "$3"}
  (cd "$1" && ctest --output-on-failure -j"$jobs" ${4:+-R "$4"})
}

step "Core tests"
native build/test ""
step "Core tests under AddressSanitizer and UBSan"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 native build/test-asan "address,undefined"
step "Link tests under ThreadSanitizer"
native build/test-tsan thread core_tests "PrinterLink|Press|Aging|PerformancePanel"

step "Fuzz targets (libFuzzer with AddressSanitizer and UBSan)"
fuzz/run.sh 8

step "Windows builds (i686 and x86_64)"
scripts/build.sh x86_64 i686

step "Embedded print jobs equal the generator's output"
rm -rf build/jobs-check && mkdir -p build/jobs-check
"$(find build/host -name make_sample_jobs -type f -perm -u+x | head -n1)" build/jobs-check
for dir in build/win64 build/win32; do
  tests/perf/check_embedded_jobs.sh "$dir/win32/PosPrinterTester.exe" build/jobs-check
done

step "What Windows reads from both programs; the downloads"
tests/package/check_release.sh build/dist win64=build/win64 win32=build/win32

step "End to end under Wine"
E2E_GROUPS= E2E_BENCH=1 E2E_POSTEST=build/win64/companion/postest.exe e2e/run.sh build/win64/win32/PosPrinterTester.exe build/artifacts/e2e  # every group

step "The unpacked download at 150 % and 200 % scaling"
rm -rf build/dist/unpacked && unzip -q build/dist/PosPrinterTester-*-win64.zip -d build/dist/unpacked
for screen in 144:1600x1200 192:2048x1536; do
  E2E_GROUPS=look E2E_DPI=${screen%%:*} E2E_SCREEN=${screen#*:} \
    e2e/run.sh build/dist/unpacked/*/PosPrinterTester.exe "build/artifacts/look-${screen%%:*}dpi"
done

echo
echo "All tests passed."
