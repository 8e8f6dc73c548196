#!/usr/bin/env bash
# Builds the monitor (build/bin/statusmon.exe, 32-bit) and, on machines that
# cannot run 32-bit code, the 64-bit build that the tests run (build-x64/).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

configure_and_build() {  # build directory, toolchain file
    cmake -S "$project_root" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$1" -j "$(nproc)"
}

configure_and_build "$project_root/build" "$project_root/cmake/mingw-i686.cmake"
if [ "$run_build_dir" != "$project_root/build" ]; then
    configure_and_build "$run_build_dir" "$run_toolchain"
fi
