#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer + UBSan + libFuzzer)
# and runs each for a fixed time, starting from its sample inputs.
#   fuzz/run.sh [SECONDS] [TARGET...]   (default: 8 seconds, every target)
# Inputs found to be new are kept in build/fuzz/corpus/TARGET for the next
# run; an input that crashes, trips a sanitizer or a check, times out or
# takes too much memory is left in build/artifacts/fuzz/ and the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(copy_count hex_byte user_text_cut hex_pairs distance port_number port_settings
                                     decode_escpos decode_star decode_escp decode_oki render)

artifacts=build/artifacts/fuzz
mkdir -p "$artifacts"
cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
if ! cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]}" >"$artifacts/build.log" 2>&1; then
  cat "$artifacts/build.log"
  exit 1
fi
failed=()
for t in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$t
  mkdir -p "$corpus"
  log=$artifacts/$t.log
  if build/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
       -artifact_prefix="$artifacts/$t-" -print_final_stats=1 "$corpus" "fuzz/corpus/$t" >"$log" 2>&1; then
    printf '%-14s %s\n' "$t" "$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, nothing found"
  else
    printf '%-14s FAILED, see %s\n' "$t" "$log"
    grep -E 'ERROR|check failed|runtime error|SUMMARY' "$log" | head -n 5 || true
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $artifacts/)"
  exit 1
fi
