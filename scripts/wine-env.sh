# Sourced by the other scripts: the project's own Wine prefix and display.
# shellcheck shell=bash

project_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The product is the 32-bit build (build/). Some machines (sandboxed kernels)
# cannot execute 32-bit code at all, and 32-bit Wine with it; there the same
# sources are built for 64-bit Windows (build-x64/) and run under 64-bit Wine.
#
# The first script of a run decides and exports STATUSMON_WINE_BITS (32 or 64);
# the scripts it calls take that value, so set-up installs the Wine that the
# later steps start. Set it yourself to choose (64 works on every machine).

# Succeeds when this machine executes 32-bit x86 programs. It runs a tiny
# static i386 program that only calls exit(0). The program is written here
# byte by byte, so the answer needs no assembler or linker and is the same
# before and after set-up has installed anything.
can_run_32bit() {
    local dir ok=1
    dir="$(mktemp -d)"
    {
        # ELF header: 32-bit, little-endian, an i386 executable, entry point
        # 0x08048054, one program header at offset 52, no sections.
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
        printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
        printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
        # Program header: load the whole file (96 bytes) at 0x08048000,
        # readable and executable.
        printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
        printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'
        # Code at offset 84: mov eax, 1 (exit); mov ebx, 0 (status); int 0x80.
        printf '\270\001\000\000\000\273\000\000\000\000\315\200'
    } > "$dir/exit0"
    chmod +x "$dir/exit0"
    # A machine without 32-bit execution refuses it ("Exec format error").
    "$dir/exit0" 2>/dev/null && ok=0
    rm -rf "$dir"
    return $ok
}

if can_run_32bit; then
    machine_bits=32
    machine_note="this machine executes 32-bit code"
else
    machine_bits=64
    machine_note="this machine cannot execute 32-bit code"
fi
if [ -z "${STATUSMON_WINE_BITS:-}" ]; then
    STATUSMON_WINE_BITS=$machine_bits
fi
case "$STATUSMON_WINE_BITS" in
    32|64) ;;
    *) echo "STATUSMON_WINE_BITS is '$STATUSMON_WINE_BITS'; it must be 32 or 64." >&2; return 2 ;;
esac
export STATUSMON_WINE_BITS
if [ "$STATUSMON_WINE_BITS" = "$machine_bits" ]; then
    wine_note="$machine_note"
else
    wine_note="chosen through STATUSMON_WINE_BITS; $machine_note"
fi
# One line per script, so a log shows that every step uses the same Wine.
# wine-run.sh, which runs each test program, stays quiet.
if [ -z "${wine_env_quiet:-}" ]; then
    echo "$(basename "$0"): Wine $STATUSMON_WINE_BITS-bit ($wine_note)"
fi

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
# Xvfb picks a free display number itself and writes it to descriptor 3 once
# it accepts connections. A number that looks free from here can still be
# taken: in a chroot, /tmp is private but the X servers' abstract socket names
# are shared with the host, and Xvfb skips such numbers where a check of
# /tmp/.X11-unix could not see them.
xvfb_pid=""
start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local number_file number=""
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        # The number is written as one line.
        if [ "$(wc -l < "$number_file")" -ge 1 ]; then
            number="$(head -n 1 "$number_file")"
            break
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        stop_display
        return 1
    fi
    export DISPLAY=":$number"
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
    if [ ! -x "$WINELOADER" ]; then
        echo "$STATUSMON_WINE_BITS-bit Wine ($WINELOADER) is not installed; bash scripts/setup.sh installs it." >&2
        return 1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX ..."
        wine wineboot --init >/dev/null 2>&1
        wineserver -w
    fi
    # Wine draws the caption buttons with its own Marlett font and dialogs in
    # Tahoma. The package fonts-wine puts these fonts in /usr/share/wine/fonts,
    # where this Wine does not look; it does find them in the prefix's Fonts
    # folder. Without them the buttons show as letters.
    local font fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts_dir"
    for font in /usr/share/wine/fonts/*; do
        [ -f "$font" ] || continue
        [ -e "$fonts_dir/${font##*/}" ] || cp "$font" "$fonts_dir/"
    done
    # Without a window manager every hidden or destroyed window would wait
    # two seconds for one. The setting is read when a process starts, and
    # writing it starts the session's desktop process (which also draws the
    # notification area) first: a new session starts it with the setting.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
    # A persistent server, so each test process starts quickly, and the new
    # session's desktop process started here: started by a test program, it
    # would hold that program's output open, and CTest would wait for it.
    wineserver -p 2>/dev/null || true
    wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed >/dev/null 2>&1
    return 0
}

stop_wine() {
    wineserver -k 2>/dev/null || true
}
