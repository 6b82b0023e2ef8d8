# Sourced by e2e/run.sh (E2E_POSTEST): the command line, postest.exe, run
# under the same Wine session against the same ports as the program. Each
# row runs it once and checks its exit status and what reached one port.
#
# Row: LABEL | ARGUMENTS | EXIT | PORT | BYTES [| SECONDS]
#   ARGUMENTS  {job} is a file holding every byte value 00..FF twice,
#              {big} 8 MB, more than a connection's buffers hold,
#              {receipt} a short receipt (ESC @, text, cut), {dir} a
#              folder, {missing} a path that does not exist, {png} a
#              picture to write
#   PORT       COM1 or NET: BYTES (hex, or {job}) must arrive there and
#              nothing elsewhere; - : nothing may reach any port; * : the
#              ports are not checked (status asks the printer)
#   SECONDS    the run must end within this time
postest_rows=(
    "replays a captured job unchanged to a network printer|send {job} --to tcp://127.0.0.1:{NET_PORT}|0|NET|{job}"
    "replays a captured job unchanged to COM1|send {job} --to COM1|0|COM1|{job}"
    "presses a panel's button on COM1|send epson full-cut --to COM1|0|COM1|1b69"
    "a printer that takes no data ends the run after one time-out|send {big} --to tcp://127.0.0.1:{NET_STALLED_PORT} --timeout 3|1|-||5"
    "a missing file is refused, nothing sent|send {missing} --to COM1|1|-|"
    "a folder is refused, nothing sent|send {dir} --to COM1|1|-|"
    "the custom sender's missing file is refused|send custom-command send-serial --set file-path={missing} --to COM1|1|-|"
    "the virtual printer on COM1 is ready|status --to COM1|0|*|"
    "decodes a receipt|decode {receipt}|0|-|"
    "draws a receipt|render {receipt} -o {png}|0|-|"
)

postest_checks() {  # postest_checks <postest.exe> <artifact dir>
    local exe=$1 art=$2 row label args want port bytes seconds
    local job=$PORTS/replay.bin big=$PORTS/big.bin receipt=$PORTS/receipt.bin dir=$PORTS/folder png=$art/postest-render.png o
    mkdir -p "$dir"
    rm -f "$png"
    for _ in 1 2; do for b in $(seq 0 255); do printf -v o '%03o' "$b"; printf "\\$o"; done; done >"$job"
    printf '\033@Receipt\n\035VB\000' >"$receipt"
    head -c 8000000 /dev/zero >"$big"
    local job_hex
    job_hex=$(od -An -tx1 -v "$job" | tr -d ' \n')
    for row in "${postest_rows[@]}"; do
        IFS='|' read -r label args want port bytes seconds <<<"$row"
        args=${args//\{job\}/$(winpath "$job")}
        args=${args//\{big\}/$(winpath "$big")}
        args=${args//\{NET_PORT\}/$E2E_NET_PORT}
        args=${args//\{NET_STALLED_PORT\}/$E2E_NET_STALLED_PORT}
        args=${args//\{receipt\}/$(winpath "$receipt")}
        args=${args//\{dir\}/$(winpath "$dir")}
        args=${args//\{missing\}/$(winpath "$PORTS/no-such-job.bin")}
        args=${args//\{png\}/$(winpath "$png")}
        bytes=${bytes//\{job\}/$job_hex}
        sync_ports
        local com0 lpt0 net0 rc problems=""
        com0=$(stat -c %s "$PORTS/serial.bin") lpt0=$(stat -c %s "$PORTS/parallel.bin")
        net0=$(stat -c %s "$PORTS/network.bin")
        local began=$SECONDS
        # shellcheck disable=SC2086 # the arguments are words
        timeout 60 "$WINE" "$exe" $args >"$PORTS/postest.out" 2>&1 </dev/null
        rc=$?
        [ -z "$seconds" ] || [ $((SECONDS - began)) -le "$seconds" ] ||
            problems+="it took $((SECONDS - began)) s; "
        sync_ports
        [ "$rc" -eq "$want" ] || problems+="exit $rc, not $want ($(tail -n1 "$PORTS/postest.out" | tr -d '\r')); "
        [[ $args != render* ]] || [ -s "$png" ] || problems+="no picture; "
        local com net lpt
        com=$(tail -c +$((com0 + 1)) "$PORTS/serial.bin" | od -An -tx1 -v | tr -d ' \n')
        lpt=$(tail -c +$((lpt0 + 1)) "$PORTS/parallel.bin" | od -An -tx1 -v | tr -d ' \n')
        net=$(tail -c +$((net0 + 1)) "$PORTS/network.bin" | od -An -tx1 -v | tr -d ' \n')
        case $port in
            COM1) [ "$com" = "$bytes" ] && [ -z "$lpt$net" ] ||
                problems+="COM1 got ${#com} hex digits [${com:0:24}], NET [${net:0:24}], LPT1 [${lpt:0:24}]; " ;;
            NET) [ "$net" = "$bytes" ] && [ -z "$com$lpt" ] ||
                problems+="NET got ${#net} hex digits [${net:0:24}], COM1 [${com:0:24}], LPT1 [${lpt:0:24}]; " ;;
            -) [ -z "$com$lpt$net" ] || problems+="bytes were sent: COM1 [${com:0:24}] NET [${net:0:24}]; " ;;
        esac
        if [ -z "$problems" ]; then
            echo "PASS postest.exe $label" >>"$art/driver.log"
        else
            echo "FAIL postest.exe $label: ${problems%; }" >>"$art/driver.log"
        fi
    done
    rm -rf "$dir" "$big"
}
