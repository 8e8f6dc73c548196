#!/usr/bin/env bash
# Builds and runs printwatch's benchmarks under Wine against the test printer
# (ippeveprinter on this machine, started by each benchmark through
# tools/printer/printer.sh); prints Markdown tables.
#
#   bash bench/run_printwatch.sh [POLLS]     (POLLS back to back: 10000)
#
# 1. pollbench.exe: printwatch's poll in-process, POLLS times back to back:
#    CPU time a poll (its own process and the wineserver's), wall time, and
#    private bytes every 1,000 polls (about 45 ms a poll: 10,000 take 8 min).
# 2. watchbench.exe: printwatch.exe beside the real monitor: from a change at
#    the printer to the monitor's text (40 changes at a 1 s interval), and
#    printwatch's CPU time at intervals of 1, 5 and 3600 s (30 s each).
# 3. The wineserver requests of a poll: the server restarted with its trace
#    (wineserver -d1), both benchmarks run again briefly between marks, and
#    the requests of their threads counted.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
polls="${1:-10000}"
[[ "$polls" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bench/run_printwatch.sh [POLLS]" >&2; exit 2; }
source "$root/scripts/wine-env.sh"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" >/dev/null
bin="$run_build_dir/bin"
trace="$(mktemp)"
trap 'stop_wine; stop_display; rm -f "$trace"' EXIT
start_display
prepare_prefix

echo "## printwatch's poll in-process, $polls polls back to back"
echo
wine "$bin/pollbench.exe" "$polls"
echo
echo "## printwatch beside the monitor"
echo
wine "$bin/watchbench.exe"
echo

# The server again, now tracing every request to the file; the session's
# desktop process started before the benchmarks, as prepare_prefix does.
stop_wine
wineserver -w
"$WINESERVER" -f -p -d1 2> "$trace" &
wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed > /dev/null 2>&1
trace_polls=200
trace_seconds=20
poll_thread="$(wine "$bin/pollbench.exe" "$trace_polls" --trace | sed -n 's/.* on thread \([0-9a-f]*\),.*/\1/p')"
watch_threads="$(wine "$bin/watchbench.exe" --trace "$trace_seconds" | sed -n 's/.*the main one first: //p' | tr -d '\r')"
stop_wine
wineserver -w 2> /dev/null || true

# Requests are the lines "TTTT: name( ... )"; replies read "name() = ...".
# Counts the requests of the threads given between the two marks; a poll of
# printwatch ends with the code posted to its own window (WM_APP + 1).
count_requests() {  # MARK THREAD...
    awk -v mark="$1" -v threads="${*:2}" '
        BEGIN { n = split(threads, list, " "); for (i = 1; i <= n; i++) wanted[list[i]] = i }
        index($0, "name=L\"" mark "-start\"") { inside = 1; next }
        index($0, "name=L\"" mark "-end\"") { inside = 0 }
        inside && match($0, /^[0-9a-f]+: [a-z_0-9]+\( /) {
            thread = substr($0, 1, index($0, ":") - 1)
            if (thread in wanted) count[thread]++
            if (thread in wanted && index($0, "send_message(") && index($0, "msg=00008001")) polls++
        }
        END {
            for (i = 1; i <= n; i++) printf "%s %d\n", list[i], count[list[i]] + 0
            printf "polls %d\n", polls + 0
        }' "$trace"
}

echo "## wineserver requests (wineserver -d1)"
echo
[ -n "$poll_thread" ] && [ -n "$watch_threads" ] || { echo "a traced benchmark did not run" >&2; exit 1; }
read -r _ poll_requests < <(count_requests pollbench "$poll_thread" | head -n 1)
echo "| requests | count |"
echo "|---|---:|"
awk -v r="$poll_requests" -v p="$trace_polls" \
    'BEGIN { printf "| a poll in-process (pollbench, %d polls) | %.1f |\n", p, r / p }'
counts="$(count_requests watchbench $watch_threads)"
main_thread="${watch_threads%% *}"
awk -v main="$main_thread" -v seconds="$trace_seconds" '
    $1 == "polls" { polls = $2; next }
    $1 == main { window = $2; next }
    { others += $2 }
    END {
        printf "| printwatch every 1 s for %d s: polls | %d |\n", seconds, polls
        printf "| its polling thread, a poll | %.1f |\n", others / polls
        printf "| its window thread, a second (the look for a new relay window twice a second, each poll'"'"'s code) | %.1f |\n", window / seconds
        printf "| all its threads, a poll | %.1f |\n", (others + window) / polls
    }' <<< "$counts"
