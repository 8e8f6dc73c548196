#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows tests
# under Wine, then the text code's native sanitizer tests and fuzz targets
# (FUZZ_SECONDS each, 60 by default).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Decides between 32-bit and 64-bit Wine, before anything is installed, and
# exports the decision to set-up, build and the test runs.
source "$root/scripts/wine-env.sh"
bash "$root/scripts/setup.sh"

# A hand-made fault that no longer applies proves nothing: each must apply to
# the code as it is (checked only, nothing is changed or built).
stale=()
for patch in "$root"/tests/faults/*.patch; do
    git -C "$root" apply --check "$patch" 2>/dev/null || stale+=("${patch##*/}")
done
if [ ${#stale[@]} -gt 0 ]; then
    echo "test.sh: these faults in tests/faults/ no longer apply to the code: ${stale[*]}" >&2
    exit 1
fi

bash "$root/scripts/build.sh"

if [ "$STATUSMON_WINE_BITS" = 64 ]; then
    echo "Note: the tests run the 64-bit build under 64-bit Wine ($wine_note)."
fi
trap 'stop_wine; stop_display' EXIT
start_display
prepare_prefix
# One at a time: the tests share the prefix's registry, files and tray.
ctest --test-dir "$run_build_dir" -j1 --output-on-failure "$@"
stop_wine
stop_display

bash "$root/native/run.sh"
