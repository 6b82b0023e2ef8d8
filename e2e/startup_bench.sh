# Sourced by e2e/run.sh (E2E_BENCH): the program's start against a bare
# window built with the same compiler and options, under the same Wine and
# desktop. Prints time to the shown window and memory (a benchmark, never a
# failure); fails only when the DLLs of the file chooser and the About box
# link are loaded at start. The result lines also go to startup.log.

startup_benchmark() {  # startup_benchmark <program.exe> <bin dir> <artifact dir>
    local exe=$1 bin=$2 art=$3 rc
    build_tool "$bin/bare_window.exe" "$HERE/bare_window.cpp" \
        x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -municode -mwindows -static -static-libgcc \
        -static-libstdc++ -s -Wl,--no-insert-timestamp -o "$bin/bare_window.exe" "$HERE/bare_window.cpp"
    build_tool "$bin/startup_bench.exe" "$HERE/startup_bench.cpp" \
        x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -municode -static \
        -o "$bin/startup_bench.exe" "$HERE/startup_bench.cpp" -lpsapi
    # A warm start first: Wine's own files come from the page cache for both.
    "$WINE" "$bin/startup_bench.exe" 1 "$(winpath "$exe")" "$(winpath "$bin/bare_window.exe")" >/dev/null 2>&1
    "$WINE" "$bin/startup_bench.exe" "${E2E_BENCH_RUNS:-9}" "$(winpath "$exe")" \
        "$(winpath "$bin/bare_window.exe")" --not-loaded comdlg32.dll shell32.dll 2>&1 |
        tr -d '\r' | tee "$art/startup.log" | sed 's/^/e2e: /'
    rc=${PIPESTATUS[0]}
    if [ "$rc" -eq 0 ]; then
        echo "PASS startup: the program starts without the file chooser's and the link's DLLs" >>"$art/driver.log"
    else
        echo "FAIL startup: $(grep -m1 -e FAIL -e 'no window' "$art/startup.log")" >>"$art/driver.log"
    fi
}
