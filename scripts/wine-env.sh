# Sourced by the other scripts: the project's own Wine prefix and display.
# shellcheck shell=bash

project_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The product is the 32-bit build (build/). Some machines (sandboxed kernels)
# cannot execute 32-bit code at all, and 32-bit Wine with it; there the same
# sources are built for 64-bit Windows (build-x64/) and run under 64-bit Wine.
can_run_32bit() {
    local dir
    dir="$(mktemp -d)"
    printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' > "$dir/t.S"
    local ok=1
    if as --32 "$dir/t.S" -o "$dir/t.o" 2>/dev/null && ld -m elf_i386 "$dir/t.o" -o "$dir/t" 2>/dev/null &&
        "$dir/t" 2>/dev/null; then
        ok=0
    fi
    rm -rf "$dir"
    return $ok
}

if [ -z "${STATUSMON_WINE_BITS:-}" ]; then
    if can_run_32bit; then STATUSMON_WINE_BITS=32; else STATUSMON_WINE_BITS=64; fi
fi
export STATUSMON_WINE_BITS
if [ "$STATUSMON_WINE_BITS" = 32 ]; then
    export WINEARCH=win32
    export WINELOADER=/usr/lib/wine/wine
    export WINESERVER=/usr/lib/wine/wineserver32
    export WINEPREFIX="${WINEPREFIX:-$project_root/.wine}"
    run_build_dir="$project_root/build"
    run_toolchain="$project_root/cmake/mingw-i686.cmake"
else
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    export WINEPREFIX="${WINEPREFIX:-$project_root/.wine64}"
    run_build_dir="$project_root/build-x64"
    run_toolchain="$project_root/cmake/mingw-x86_64.cmake"
fi
export WINEDEBUG=-all
# No prompts to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Starts Xvfb when there is no display; the caller stops it with stop_display.
xvfb_pid=""
start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local number=99
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

stop_display() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# Creates the prefix once (about 15 s), before any test starts a program in
# it: parallel first starts would break it. Then keeps its server running.
prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX ..."
        wine wineboot --init >/dev/null 2>&1
        wineserver -w
    fi
    # A persistent server, so each test process starts quickly. It fails
    # harmlessly when one already runs.
    wineserver -p 2>/dev/null || true
    # Without a window manager every hidden or destroyed window would wait
    # two seconds for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    return 0
}

stop_wine() {
    wineserver -k 2>/dev/null || true
}
