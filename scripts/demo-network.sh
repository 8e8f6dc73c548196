# Sourced by scripts/run.sh: the demo's second scenario, a network printer.
# A private IPP printer on this machine (OpenPrinting's ippeveprinter, run by
# tools/printer/printer.sh), set up with "statusctl install --ipp", watched
# by printwatch.exe every second and shown by a new monitor. Uses run.sh's
# ctl, status_line, place_tray and screenshot.
# shellcheck shell=bash

printer_script="$root/tools/printer/printer.sh"
printer_dir=""    # the printer's folder while it exists
network_pid=""    # the monitor of this scenario

printer() { bash "$printer_script" "$1" "$printer_dir" "${@:2}"; }

# Waits up to 15 s until the status area shows the text.
wait_for_status() {  # TEXT
    local _
    for _ in $(seq 75); do
        [ "$(status_line status)" = "$1" ] && return 0
        sleep 0.2
    done
    echo "The monitor shows '$(status_line status)', not '$1'." >&2
    return 1
}

network_step() {  # NUMBER NAME TEXT: waits for the text, then a screenshot
    wait_for_status "$3"
    echo "    caption: $(status_line caption)"
    echo "    status:  $(status_line status)"
    screenshot "net-$1-$2"
}

# Ends printwatch and the monitor (statusctl stop waits for both), the
# printer, and removes the configuration; also when the demo fails midway.
end_network_scenario() {
    if [ -n "$network_pid" ]; then
        ctl stop || true
        network_pid=""
    fi
    ctl uninstall >/dev/null 2>&1 || true
    if [ -n "$printer_dir" ]; then
        printer remove || true
        printer_dir=""
    fi
}

play_network_scenario() {
    local port uri
    printer_dir="$(mktemp -d /tmp/statusmon-demo-printer.XXXXXX)"
    echo "Starting a private IPP printer (ippeveprinter) ..."
    port="$(printer start)"
    uri="ipp://127.0.0.1:$port/ipp/print"
    echo "  $uri"

    # A jam that the printer reports during a job is a warning, so balloons
    # for warnings too (--alert 2); the profile's own Alert=1 is for errors.
    echo "Installing the network printer's configuration ..."
    ctl install --ipp "$uri" --interval 1 --alert 2
    echo "Starting $bin/statusmon.exe and $bin/printwatch.exe ..."
    wine "$bin/statusmon.exe" &
    network_pid=$!
    wine "$bin/printwatch.exe" &
    wait_for_status "Ready"
    place_tray "$(status_line window)"

    echo "> the printer is idle"
    network_step 01 ready "Ready"
    echo "> toner at 5 % (the printer's supplies form): a report while it is idle"
    printer supplies 5 25
    network_step 02 toner-low "Toner low"
    echo "> toner replaced"
    printer supplies 75 25
    network_step 03 toner-replaced "Ready"
    # While a job prints the printer gives its reasons as warnings: the jam
    # shows as a warning, and its balloon comes about two seconds later.
    echo "> a paper jam during a print job"
    printer job 8000 "STATE: +media-jam-error"
    wait_for_status "Paper jam"
    sleep 2.6
    network_step 04 jam-during-job-alert "Paper jam"
    echo "> the job has ended; the printer still reports the jam, now as a report"
    printer wait printer-state=idle 15000 >/dev/null
    # The text stays and only the icons change, which statusctl cannot
    # tell: printwatch's next poll comes within a second and a poll.
    sleep 1.5
    network_step 05 jam-after-job "Paper jam"
    echo "> the jam cleared (a job that takes the reason away)"
    printer job 0 "STATE: -media-jam-error"
    printer wait printer-state-reasons=none 15000 >/dev/null
    network_step 06 jam-cleared "Ready"
    echo "> the printer stopped: not reachable at two polls in a row"
    printer stop
    network_step 07 not-reachable "Printer not reachable"
    echo "> the printer started again"
    printer start "$port" >/dev/null
    network_step 08 ready-again "Ready"

    echo "Ending the monitor and printwatch (statusctl stop) ..."
    ctl stop
    if ! wait_ended "$network_pid" 5; then
        echo "The monitor did not end." >&2
        return 1
    fi
    network_pid=""
    ctl uninstall
    printer remove
    printer_dir=""
}
