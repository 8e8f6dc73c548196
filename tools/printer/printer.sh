#!/usr/bin/env bash
# A private IPP printer on this machine, for the tests, the demo and the
# benchmark: OpenPrinting's ippeveprinter on localhost, with a D-Bus of its
# own (it refuses to start without one, even with DNS-SD off), all its files
# in one folder, its state changed on request.
#
#   printer.sh start DIR [PORT]      starts the printer (DIR is made if
#                                    missing) and prints its port: PORT, else
#                                    the port of an earlier start in DIR, else
#                                    a free one. It answers ipp:// and ipps://
#                                    (a self-signed certificate) on that port,
#                                    at 127.0.0.1:PORT/ipp/print.
#   printer.sh stop DIR              ends the printer, a job it runs and its
#                                    bus; DIR and the port are kept. A
#                                    printer that nobody stops ends after an
#                                    hour.
#   printer.sh remove DIR            stop, then DIR deleted
#   printer.sh supplies DIR TONER WASTE   toner and waste levels in percent
#   printer.sh media DIR SHEETS      the sheets in the main tray
#   printer.sh job DIR HOLD_MS [LINE...]  a print job whose command writes
#                                    each LINE to the printer (such as
#                                    "STATE: +media-jam-error"), then goes on
#                                    printing for HOLD_MS or until endjob;
#                                    returns once the lines are written. One
#                                    job at a time.
#   printer.sh endjob DIR            the job's command stops printing now;
#                                    returns once it has ended
#   printer.sh state DIR             printer-state, printer-state-reasons and
#                                    printer-state-message, NAME=VALUE a line
#   printer.sh wait DIR LINE TIMEOUT_MS   until the state shows LINE (a whole
#                                    line, e.g. printer-state-reasons=none);
#                                    prints the state
#   printer.sh selftest              all of the above, checked
#
# The printer's own rules (ippeveprinter 2.4): toner below 10 % is toner-low,
# 0 % toner-empty; waste above 90 % marker-waste-almost-full, 100 %
# marker-waste-full; a tray below 25 sheets media-low, 0 sheets media-empty
# (a job then waits, media-needed, until paper comes). It knows 16 reasons
# and gives each the suffix of its own state: -report while idle, -warning
# while a job prints, never -error. Reasons that a job set stay after it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
lifetime=3600                          # seconds
printer="timeout $lifetime ippeveprinter"  # the recorded process, as its command line starts

die() { echo "printer.sh: $*" >&2; exit 1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
number() { [[ "$1" =~ ^[0-9]+$ ]] || die "'$1' is not a number"; }

# Whether a recorded process id is still the program named: alive and not a
# zombie (this machine's init may never reap one).
alive() {  # PID PROGRAM
    local stat
    [ -n "$1" ] && stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [ "${stat%% *}" != Z ] || return 1
    tr '\0' ' ' < "/proc/$1/cmdline" 2>/dev/null | grep -q "^$2 "
}

wait_gone() {  # PID PROGRAM: up to 5 s
    local _
    for _ in $(seq 200); do
        alive "$1" "$2" || return 0
        sleep 0.025
    done
    return 1
}

# Up to 10 s until a file is there; else the reason.
wait_for_file() {  # FILE REASON
    local deadline=$(($(now_ms) + 10000))
    until [ -f "$1" ]; do
        [ "$(now_ms)" -lt "$deadline" ] || die "$2"
        sleep 0.02
    done
}

port_of() {
    [ -f "$1/port" ] || die "no printer was started in $1"
    cat "$1/port"
}
# The printer is asked at the loopback address itself: a machine without
# /etc/hosts (a bare chroot) resolves "localhost" for CUPS's own tools but not
# for Wine's WinHTTP.
uri_of() { echo "ipp://127.0.0.1:$(port_of "$1")/ipp/print"; }

# A port that nothing on this machine has bound, IPv4 or IPv6.
port_in_use() { grep -qi "$(printf ':%04X ' "$1")" /proc/net/tcp /proc/net/tcp6 2>/dev/null; }
free_port() {
    local port
    while :; do
        port=$((20000 + RANDOM % 30000))
        port_in_use "$port" || break
    done
    echo "$port"
}

# The folder: the spool, key and job folders may be written by everyone, as
# the printer may run jobs as another user; the job command and the page.
prepare() {  # DIR
    local dir="$1"
    mkdir -p "$dir/spool" "$dir/keys" "$dir/jobs"
    chmod 755 "$dir"
    chmod 1777 "$dir/spool" "$dir/keys" "$dir/jobs"
    cat > "$dir/job-command" <<'EOF'
#!/bin/sh
# The printer runs this for every job, with the job's attributes in its
# environment. The job's orders, jobs/<job-name>, hold on their first line
# how long to go on printing (ms), then the lines to write to the printer.
# It prints until that time has passed or <job-name>.end is there, and
# leaves <job-name>.done at its end.
case "$IPP_JOB_NAME" in ''|*[!a-z0-9-]*) exit 0 ;; esac
orders="$(dirname "$0")/jobs/$IPP_JOB_NAME"
[ -f "$orders" ] || exit 0
tail -n +2 "$orders" >&2
: > "$orders.started"
hold_ms="$(head -n 1 "$orders")"
deadline=$(($(date +%s%N) / 1000000 + hold_ms))
while [ ! -f "$orders.end" ] && [ $(($(date +%s%N) / 1000000)) -lt "$deadline" ]; do
    sleep 0.05
done
: > "$orders.done"
EOF
    chmod 755 "$dir/job-command"
    # A PWG raster document starts with these four bytes; the job command
    # does not read it.
    printf 'RaS2' > "$dir/page.pwg"
    chmod 644 "$dir/page.pwg"
}

# Starts the bus and the printer; succeeds once the printer answers.
launch() {  # DIR PORT
    local dir="$1" port="$2" address="" bus_pid="" pid deadline
    rm -f "$dir/bus"
    { read -r address && read -r bus_pid; } < <(dbus-daemon --session --fork --address="unix:path=$dir/bus" \
                                                  --print-address=1 --print-pid=1) || true
    [ -n "$bus_pid" ] || { echo "dbus-daemon did not start" >> "$dir/printer.log"; return 1; }
    echo "$bus_pid" > "$dir/bus.pid"
    # Its own session and process group, so that stop ends a running job
    # command with it; and an hour at most, should its test die without
    # stopping it.
    DBUS_SYSTEM_BUS_ADDRESS="$address" setsid timeout "$lifetime" ippeveprinter -r off -p "$port" -n localhost \
        -c "$dir/job-command" -f image/pwg-raster -d "$dir/spool" -K "$dir/keys" "Test Printer" \
        < /dev/null >> "$dir/printer.log" 2>&1 &
    pid=$!
    echo "$pid" > "$dir/printer.pid"
    deadline=$(($(now_ms) + 10000))
    until ipptool -q -T 2 "ipp://127.0.0.1:$port/ipp/print" "$here/printer-state.test" 2>/dev/null; do
        if ! alive "$pid" "$printer" || [ "$(now_ms)" -ge "$deadline" ]; then
            end_processes "$dir"
            return 1
        fi
        sleep 0.05
    done
}

# The printer with its job command (its process group), then its bus.
end_processes() {  # DIR
    local dir="$1" pid
    pid="$(cat "$dir/printer.pid" 2>/dev/null || true)"
    if alive "$pid" "$printer"; then
        kill -TERM -- "-$pid" 2>/dev/null || true
        wait_gone "$pid" "$printer" || { kill -KILL -- "-$pid" 2>/dev/null || true; wait_gone "$pid" "$printer"; }
    fi
    pid="$(cat "$dir/bus.pid" 2>/dev/null || true)"
    if alive "$pid" dbus-daemon; then
        kill -TERM "$pid" 2>/dev/null || true
        wait_gone "$pid" dbus-daemon || { kill -KILL "$pid" 2>/dev/null || true; wait_gone "$pid" dbus-daemon; }
    fi
    rm -f "$dir/printer.pid" "$dir/bus.pid" "$dir/bus"
}

cmd_start() {  # DIR [PORT]
    local dir="$1" port="${2:-}" chosen=1 _
    [ -z "$port" ] || number "$port"
    mkdir -p "$dir"
    ! alive "$(cat "$dir/printer.pid" 2>/dev/null || true)" "$printer" || die "a printer runs in $dir already"
    prepare "$dir"
    [ -n "$port" ] || [ ! -f "$dir/port" ] || port="$(cat "$dir/port")"
    [ -n "$port" ] || chosen=0
    # A free port can be taken between the look and the start: try another.
    for _ in 1 2 3 4 5; do
        [ "$chosen" = 1 ] || port="$(free_port)"
        if launch "$dir" "$port"; then
            echo "$port" > "$dir/port"
            echo "$port"
            return 0
        fi
        [ "$chosen" = 0 ] || break
    done
    die "the printer did not start on port $port: $(tail -n 3 "$dir/printer.log" | tr '\n' ' ')"
}

cmd_stop() { end_processes "$1"; }

cmd_remove() {  # DIR
    [ -d "$1" ] || return 0
    end_processes "$1"
    rm -rf "$1"
}

# The printer's web forms change its state while they answer.
web_form() {  # DIR PATH
    curl -sf --max-time 10 -o /dev/null "http://127.0.0.1:$(port_of "$1")$2" ||
        die "the printer's page ${2%%\?*} did not answer"
}

cmd_supplies() {  # DIR TONER WASTE
    number "$2"
    number "$3"
    web_form "$1" "/supplies?supply0=$3&supply1=$2"
}

# The main tray as asked; the by-pass tray as the printer starts (level
# unknown: a missing level would read as an empty tray).
cmd_media() {  # DIR SHEETS
    number "$2"
    web_form "$1" "/media?size1=na_letter_8.5x11in&type1=stationery&level1=$2&size3=na_number-10_4.125x9.5in&type3=envelope&level3=-2"
}

cmd_job() {  # DIR HOLD_MS [LINE...]
    local dir="$1" hold="$2" count name
    shift 2
    number "$hold"
    count=$(($(cat "$dir/jobs/count" 2>/dev/null || echo 0) + 1))
    echo "$count" > "$dir/jobs/count"
    name="job-$count"
    { echo "$hold"; [ $# -eq 0 ] || printf '%s\n' "$@"; } > "$dir/jobs/$name"
    chmod 644 "$dir/jobs/$name"
    ipptool -q -T 10 -f "$dir/page.pwg" -d "jobname=$name" "$(uri_of "$dir")" "$here/print-job.test" ||
        die "the printer did not take the job"
    wait_for_file "$dir/jobs/$name.started" "the job did not start within 10 s (no paper?)"
}

cmd_endjob() {  # DIR
    local dir="$1" name
    name="job-$(cat "$dir/jobs/count" 2>/dev/null || echo 0)"
    [ -f "$dir/jobs/$name.started" ] || die "no job has started in $dir"
    : > "$dir/jobs/$name.end"
    wait_for_file "$dir/jobs/$name.done" "the job did not end within 10 s"
}

cmd_state() {  # DIR
    local answer
    answer="$(ipptool -tv -T 5 "$(uri_of "$1")" "$here/printer-state.test")" || die "the printer did not answer"
    for name in printer-state printer-state-reasons printer-state-message; do
        sed -n "s/^ *$name ([^)]*) = \(.*\)\$/$name=\1/p" <<< "$answer"
    done
}

cmd_wait() {  # DIR LINE TIMEOUT_MS
    local dir="$1" line="$2" deadline state=""
    number "$3"
    deadline=$(($(now_ms) + $3))
    while :; do
        if state="$(cmd_state "$dir" 2>&1)" && grep -qxF -- "$line" <<< "$state"; then
            echo "$state"
            return 0
        fi
        [ "$(now_ms)" -lt "$deadline" ] || die "no '$line' within $3 ms; the printer shows: $(tr '\n' ' ' <<< "$state")"
        sleep 0.05
    done
}

# Every command, and the state the printer then shows, with the times taken.
cmd_selftest() {
    local dir port started reasons command arguments bus_pid times=""
    dir="$(mktemp -d)"
    # shellcheck disable=SC2064  # the folder is known now
    trap "cmd_remove '$dir' || true" EXIT
    expect() {  # LINE...: each within 5 s
        local line
        for line in "$@"; do cmd_wait "$dir" "$line" 5000 > /dev/null; done
    }
    since() { echo $(($(now_ms) - $1)); }

    started=$(now_ms)
    port="$(cmd_start "$dir")"
    echo "selftest: printer on port $port, answering after $(since "$started") ms"
    expect printer-state=idle printer-state-reasons=none printer-state-message=Idle.

    # The web forms, and the reasons of the idle printer after each.
    while read -r reasons command arguments; do
        started=$(now_ms)
        # shellcheck disable=SC2086  # the arguments are words
        "cmd_$command" "$dir" $arguments
        expect "printer-state-reasons=$reasons"
        times="$times $(since "$started")"
    done <<'EOF'
toner-low-report supplies 5 25
toner-empty-report supplies 0 25
marker-waste-almost-full-report supplies 75 95
marker-waste-full-report supplies 75 100
none supplies 75 25
media-low-report media 10
media-empty-report media 0
none media 250
EOF
    echo "selftest: each form sent until the state showed it (ms):$times"

    # A jam while a job prints, and after it: a job told to end, and one
    # that ends after its time.
    started=$(now_ms)
    cmd_job "$dir" 30000 "STATE: +media-jam-error,cover-open-error"
    expect printer-state=processing printer-state-reasons=cover-open-warning,media-jam-warning
    echo "selftest: job sent until the jam showed: $(since "$started") ms"
    started=$(now_ms)
    cmd_endjob "$dir"
    expect printer-state=idle printer-state-reasons=cover-open-report,media-jam-report
    echo "selftest: a job told to end, until the printer was idle: $(since "$started") ms"
    started=$(now_ms)
    cmd_job "$dir" 1000
    expect printer-state=idle
    [ "$(since "$started")" -ge 1000 ] || die "a job of 1000 ms ended before its time"
    cmd_job "$dir" 0 "STATE: -media-jam-error,cover-open-error"
    expect printer-state=idle printer-state-reasons=none

    ipptool -q -T 5 "ipps://127.0.0.1:$port/ipp/print" "$here/printer-state.test" || die "no answer over ipps"

    # Stopped during a job: the printer, its job command and its bus end.
    cmd_job "$dir" 30000 "STATE: +cover-open-error"
    bus_pid="$(cat "$dir/bus.pid")"
    started=$(now_ms)
    cmd_stop "$dir"
    echo "selftest: stopped during a job in $(since "$started") ms"
    ! ipptool -q -T 2 "ipp://127.0.0.1:$port/ipp/print" "$here/printer-state.test" 2> /dev/null ||
        die "the printer still answers after stop"
    ! grep -qs "$dir/job-command" /proc/[0-9]*/cmdline || die "the job command still runs after stop"
    ! alive "$bus_pid" dbus-daemon || die "the bus still runs after stop"

    started=$(now_ms)
    [ "$(cmd_start "$dir")" = "$port" ] || die "started again on another port"
    echo "selftest: started again on port $port in $(since "$started") ms"
    expect printer-state=idle printer-state-reasons=none
    cmd_remove "$dir"
    [ ! -e "$dir" ] || die "remove left $dir"
    echo "selftest: passed"
}

[ $# -ge 1 ] || die "usage: printer.sh start|stop|remove|supplies|media|job|endjob|state|wait|selftest ..."
command="$1"
shift
case "$command" in
    start) [[ $# -ge 1 && $# -le 2 ]] || die "usage: printer.sh start DIR [PORT]"; cmd_start "$@" ;;
    stop) [ $# -eq 1 ] || die "usage: printer.sh stop DIR"; cmd_stop "$@" ;;
    remove) [ $# -eq 1 ] || die "usage: printer.sh remove DIR"; cmd_remove "$@" ;;
    supplies) [ $# -eq 3 ] || die "usage: printer.sh supplies DIR TONER WASTE"; cmd_supplies "$@" ;;
    media) [ $# -eq 2 ] || die "usage: printer.sh media DIR SHEETS"; cmd_media "$@" ;;
    job) [ $# -ge 2 ] || die "usage: printer.sh job DIR HOLD_MS [LINE...]"; cmd_job "$@" ;;
    endjob) [ $# -eq 1 ] || die "usage: printer.sh endjob DIR"; cmd_endjob "$@" ;;
    state) [ $# -eq 1 ] || die "usage: printer.sh state DIR"; cmd_state "$@" ;;
    wait) [ $# -eq 3 ] || die "usage: printer.sh wait DIR LINE TIMEOUT_MS"; cmd_wait "$@" ;;
    selftest) [ $# -eq 0 ] || die "usage: printer.sh selftest"; cmd_selftest ;;
    *) die "unknown command '$command'" ;;
esac
