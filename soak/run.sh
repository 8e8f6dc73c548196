#!/usr/bin/env bash
# Builds the monitor and the soak program and runs the soak under Wine: the
# given number of status codes (default 100000) in replace mode, then in scroll
# mode, with the monitor's handle, GDI, USER and private-memory figures every
# 10000 codes, printed as a Markdown table. Takes minutes; not part of the tests.
#   soak/run.sh [codes]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"
trap 'stop_wine; stop_display' EXIT
start_display
prepare_prefix
wine "$run_build_dir/bin/statusmon_soak.exe" "$@"
