#!/usr/bin/env bash
# The release of a build, made by scripts/package.sh, and its installer run
# by Wine's msiexec in the project's prefix: signed and summed; a quiet
# install; the installed monitor fed by the installed statusctl; an upgrade
# that leaves the start at logon out while the monitor runs; an uninstall
# while it runs, after which nothing of it is left.
#
#   installer_test.sh BUILD_DIR
set -uo pipefail
build="$(cd "$1" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck disable=SC2034  # read by wine-env.sh
wine_env_quiet=1
source "$root/scripts/wine-env.sh"
# Wine would otherwise copy the Start-menu shortcut into the host's menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

failures=0
check() { if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; }

tmp="$(mktemp -d)"
folder="$WINEPREFIX/drive_c/Program Files/Printer Status Monitor"
installed='C:\Program Files\Printer Status Monitor'
ctl() { wine "$installed\\statusctl.exe" "$@" 2>/dev/null | tr -d '\r'; }
msi() { wine msiexec "$1" "Z:${2//\//\\}" /qn "${@:3}"; }  # Wine reaches host files through Z:
# The versions that Programs and Features lists, one a line (the prefix holds
# no other installation), and the start at logon.
query() { wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\$1" "${@:3}" 2>/dev/null | tr -d '\r' | sed -n "$2"; }
versions() { query Uninstall 's/.*DisplayVersion *REG_SZ *//p' /s; }
run_value() { query Run 's/.*StatusMonitor *REG_SZ *//p' /v StatusMonitor; }
shortcuts() { find "$WINEPREFIX/drive_c" -name 'Printer Status Monitor.lnk' | wc -l; }
shows() { for _ in $(seq 50); do ctl status | grep -qx "status: $1" && return 0; sleep 0.1; done; return 1; }
ended() { for _ in $(seq 30); do kill -0 "$monitor_pid" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
monitor_pid=""
finish() {
    [ -n "$monitor_pid" ] && kill "$monitor_pid" 2>/dev/null
    ctl uninstall >/dev/null
    if [ -n "$(versions)" ]; then for package in "$tmp"/*/*.msi; do msi /x "$package" >/dev/null 2>&1; done; fi
    rm -rf "$tmp"
}
trap finish EXIT

# Two releases: the build's version, signed with a throwaway certificate made
# on the spot, and a newer one without a certificate.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Status monitor test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$tmp/key.pem" -out "$tmp/cert.pem" 2>/dev/null
signed() { for file in "$@"; do osslsigncode verify -CAfile "$tmp/cert.pem" -in "$file" >/dev/null 2>&1 || return 1; done; }
# shellcheck disable=SC1091
source "$build/release.env"
newer="${version%.*}.$((${version##*.} + 1))"
STATUSMON_SIGN_CERT="$tmp/cert.pem" STATUSMON_SIGN_KEY="$tmp/key.pem" STATUSMON_DIST_DIR="$tmp/old" \
    bash "$root/scripts/package.sh" "$build" >/dev/null
note="$(STATUSMON_VERSION="$newer" STATUSMON_DIST_DIR="$tmp/new" bash "$root/scripts/package.sh" "$build")"
old="$(echo "$tmp"/old/*.msi)" new="$(echo "$tmp"/new/*.msi)"
check "the checksums match the release's files" bash -c "cd '$tmp/old' && sha256sum --quiet -c SHA256SUMS"
check "the zip holds the installed files" test "$(zip -sf "$tmp"/old/*.zip | grep -c -E 'ctl\.exe|mon\.exe|\.ini')" = 4
check "without a certificate nothing is signed, and it says so" \
    bash -c "! osslsigncode verify -in '$new' >/dev/null 2>&1 && [[ '$note' == *'nothing is signed'* ]]"

msi /i "$old"
check "a quiet install lists one version" test "$(versions)" = "$version"
check "it puts the programs, README and sample in place" test -f "$folder/statusmon.exe" -a -f "$folder/statusctl.exe" \
    -a -f "$folder/README.md" -a -f "$folder/sample/profile.ini" -a -f "$folder/sample/default.ini"
check "the package and the programs it installs are signed" signed "$old" "$folder/statusmon.exe" "$folder/statusctl.exe"
check "it puts a shortcut into the Start menu" test "$(shortcuts)" = 1
check "it starts the monitor at logon" test "$(run_value)" = "\"$installed\\statusmon.exe\" /S"

# The monitor as the Run value starts it, set up and fed by the installed statusctl.
ctl install >/dev/null
wine "$installed\\statusmon.exe" /S &
monitor_pid=$!
check "the installed monitor starts" shows "Ready"
ctl post 10
check "it shows a code posted by the installed statusctl" shows "Paper low in tray 1"

msi /i "$new" AUTOSTART=0
check "an upgrade ends the running monitor" ended
check "an upgrade leaves one installation" test "$(versions)" = "$newer"
check "AUTOSTART=0 leaves the start at logon out" test -z "$(run_value)" -a -f "$folder/statusmon.exe"

wine "$installed\\statusmon.exe" &
monitor_pid=$!
check "the upgraded monitor starts" shows "Ready"
ctl uninstall >/dev/null
msi /x "$new"
check "an uninstall ends the running monitor" ended
check "it leaves no program folder" test ! -e "$folder"
check "it leaves no shortcut, Run value or installation" test "$(shortcuts)$(run_value)$(versions)" = 0
exit $((failures > 0))
