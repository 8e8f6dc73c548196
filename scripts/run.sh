#!/usr/bin/env bash
# Demo: sets the sample printer driver up, starts the status monitor, plays
# sample/demo.scenario through statusctl (the stand-in for the spooler side)
# with a screenshot after each named step, then ends the monitor and removes
# the sample set-up again. Then a network printer: a private IPP printer on
# this machine, watched by printwatch.exe and shown by a new monitor, through
# its states with a screenshot after each (scripts/demo-network.sh).
#
#   bash scripts/run.sh [SCREENSHOT_DIR]     (default: screenshots/)
#
# With a real X display the monitor is shown live; otherwise (or with CI set)
# it runs on a private Xvfb display. STATUSMON_DEMO_BUILD_DIR names an existing
# build to run instead of installing and building first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shots="$(mkdir -p "${1:-$root/screenshots}" && cd "${1:-$root/screenshots}" && pwd)"
scenario="$root/sample/demo.scenario"

# Decides between 32-bit and 64-bit Wine, before anything is installed, and
# exports the decision to set-up and build.
source "$root/scripts/wine-env.sh"
if [ -z "${STATUSMON_DEMO_BUILD_DIR:-}" ]; then
    bash "$root/scripts/setup.sh"
    bash "$root/scripts/build.sh"
fi

bin="${STATUSMON_DEMO_BUILD_DIR:-$run_build_dir}/bin"
ctl() { wine "$bin/statusctl.exe" "$@"; }
# Waits up to SECONDS for the process PID to end; false when it still runs.
wait_ended() {  # PID SECONDS
    for _ in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    ! kill -0 "$1" 2>/dev/null
}

# The network printer's scenario, played after the sample driver's.
source "$root/scripts/demo-network.sh"

monitor_pid=""
step_file="$(mktemp)"
finish() {
    if [ -n "$monitor_pid" ] && kill -0 "$monitor_pid" 2>/dev/null; then
        ctl quit || true
        wait_ended "$monitor_pid" 5 || true
    fi
    end_network_scenario
    ctl uninstall >/dev/null 2>&1 || true
    rm -f "$step_file"
    stop_wine
    stop_display
}
trap finish EXIT

start_display
prepare_prefix

trim() { sed 's/^[[:space:]]*//; s/[[:space:]]*$//'; }

# Wine reaches the host's files through drive Z:.
windows_path() { local path="${1//\//\\}"; echo "Z:$path"; }

status_line() {  # prints the value of one "name: value" line of statusctl status
    ctl status 2>/dev/null | tr -d '\r' | sed -n "s/^$1: //p"
}

# Without a desktop tray to dock into, Wine draws the notification area in a
# small window of its own, which the dialog covers at the top left. Put it
# just below the dialog, so that the screenshots show the tray icon too.
tray_gap=8
tray_height=0
place_tray() {  # dialog geometry WxH+X+Y
    local tray
    tray="$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n 1)" || return 0
    [ -n "$tray" ] || return 0
    [[ "$1" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 0
    xdotool windowmove "$tray" "${BASH_REMATCH[3]}" \
        $((BASH_REMATCH[4] + BASH_REMATCH[2] + tray_gap)) 2>/dev/null || return 0
    # The reported height is the client area's; Wine draws the caption and
    # border above and around it.
    local client
    client="$(xdotool getwindowgeometry "$tray" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')"
    [ -n "$client" ] && tray_height=$((client + 26))
}

# The dialog's area and the notification area below it when they can be
# found, else the whole screen.
screenshot() {  # file name without extension
    local geometry
    geometry="$(status_line window)"
    if [[ "$geometry" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
        local width="${BASH_REMATCH[1]}" height="${BASH_REMATCH[2]}" origin="+${BASH_REMATCH[3]}+${BASH_REMATCH[4]}"
        [ "$tray_height" -gt 0 ] 2>/dev/null &&
            geometry="${width}x$((height + tray_gap + tray_height))$origin"
        import -window root -crop "$geometry" +repage "$shots/$1.png"
    else
        import -window root "$shots/$1.png"
    fi
    echo "    screenshot: $shots/$1.png"
}

echo "Installing the sample driver configuration ..."
ctl install
# A monitor left over from an earlier run would keep this one from starting.
ctl quit >/dev/null 2>&1 && sleep 1 || true

echo "Starting $bin/statusmon.exe ..."
wine "$bin/statusmon.exe" &
monitor_pid=$!
for _ in $(seq 100); do
    [ -n "$(status_line status)" ] && break
    sleep 0.1
done
if [ -z "$(status_line caption)" ]; then
    echo "The monitor did not come up." >&2
    exit 1
fi
echo "  caption: $(status_line caption)"
echo "  status:  $(status_line status)"
place_tray "$(status_line window)"
rm -f "$shots"/*.png
screenshot 00-start

# One scenario line at a time, through statusctl's own scenario reader, so the
# demo and "statusctl play" read the file alike.
number=0
while IFS= read -r line || [ -n "$line" ]; do
    command="$(printf '%s' "${line%%#*}" | trim)"
    [ -z "$command" ] && continue
    label=""
    [[ "$line" == *"#"* ]] && label="$(printf '%s' "${line#*#}" | trim)"
    before="$(status_line status)"
    printf '%s\n' "$command" > "$step_file"
    echo "> $command"
    ctl play "$(windows_path "$step_file")"
    [ -z "$label" ] && continue
    # A code is handled from the monitor's queue: wait for the text to change.
    # (A labelled sleep shows what has come up meanwhile, such as a balloon.)
    for _ in $(seq 30); do
        [[ "$command" == sleep* ]] && break
        [ "$(status_line status)" != "$before" ] && break
        sleep 0.1
    done
    echo "    caption: $(status_line caption)"
    echo "    status:  $(status_line status)"
    number=$((number + 1))
    screenshot "$(printf '%02d' "$number")-$label"
done < <(grep -v '^[[:space:]]*#' "$scenario")

echo "Ending the monitor ..."
ctl quit
if ! wait_ended "$monitor_pid" 10; then
    echo "The monitor did not end." >&2
    exit 1
fi
wait "$monitor_pid" && echo "  the monitor ended with exit code 0" || echo "  the monitor ended with exit code $?"
monitor_pid=""
ctl uninstall

play_network_scenario
echo "Screenshots are in $shots"
