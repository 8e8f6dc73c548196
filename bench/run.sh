#!/usr/bin/env bash
# Builds and runs the benchmark on the real monitor under Wine; prints a table.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"
trap 'stop_wine; stop_display' EXIT
start_display
prepare_prefix
wine "$run_build_dir/bin/statusbench.exe"
echo
wine "$run_build_dir/bin/step_times.exe"
