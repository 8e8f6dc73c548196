#!/usr/bin/env bash
# The release of a build, made by scripts/package.sh, and its installer run
# by Wine's msiexec in the project's prefix.
#
# The release script: signed with a key that has a password (never on
# osslsigncode's command line) and verified, summed, the same bytes from run
# to run; a wrong password, a signature that does not verify and a missing
# tool end it. The package's tables: the installer version it asks for, the
# upgrade rows, the stop action, the components' conditions, the secure
# properties, the features, the x64 package's codes and registry view. Then
# Wine's msiexec: a quiet install; the installed monitor fed by the installed
# statusctl; a repair that leaves it running; another build of the same
# version that replaces the installed one, and its uninstall; an upgrade
# that leaves the start at logon out while the monitor runs; a downgrade
# refused; an uninstall while it runs, after which nothing of it is left.
# Then an install with a network printer (PRINTER_URI): its configuration
# as statusctl writes it, the monitor and printwatch started as at logon, a
# repair and an upgrade that keep the printer, and the uninstall that ends
# both and removes what it wrote.
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
entries() { query Uninstall 's/.*\\Uninstall\\//p' /s; }
run_value() { query Run "s/.*$1 *REG_SZ *//p" /v "$1"; }  # name
delete_run_value() { wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v "$1" /f >/dev/null 2>&1; }
monitor_run=StatusMonitor watch_run=StatusMonitorPrintWatch
shortcuts() { find "$WINEPREFIX/drive_c" -name 'Printer Status Monitor.lnk' | wc -l; }
shows() { for _ in $(seq 50); do ctl status | grep -qx "status: $1" && return 0; sleep 0.1; done; return 1; }
ended() {  # the processes given, else the monitor: each within 3 s
    local pid
    for pid in "${@:-$monitor_pid}"; do
        for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || continue 2; sleep 0.1; done
        return 1
    done
}
running() { kill -0 "$monitor_pid" 2>/dev/null && shows "$1"; }
start_monitor() { wine "$installed\\statusmon.exe" /S & monitor_pid=$!; }
# The program of a Run value started with its arguments, as at logon; then
# $! is its process.
start_from_run() {  # name
    local command program
    command="$(run_value "$1")"
    program="${command#\"}" && program="${program%%\"*}"
    [ -n "$program" ] || return 1
    # shellcheck disable=SC2086  # the arguments are split as a command line's
    wine "$program" ${command#"\"$program\""} &
}
# The network printer's configuration: every value under the monitor key,
# one a line (key\name=type:data), sorted, without statusctl's install log;
# nothing when the key is missing.
network_values() {
    wine reg query 'HKLM\Software\Kor\Bidi Monitor' /s 2>/dev/null | tr -d '\r' |
        awk -F '    ' '/^HKEY_/ { key = $0 } $3 ~ /^REG_/ && $2 != "InstallLog" { print key "\\" $2 "=" $3 ":" $4 }' |
        LC_ALL=C sort
}
value_of() { sed -n "s/.*\\\\$1=REG_SZ://p"; }  # name: its data, from network_values
host_path() { local path="${1/#C:\\/$WINEPREFIX/drive_c/}"; echo "${path//\\//}"; }
# The keys under a key, itself among them; nothing when it is missing.
keys() { wine reg query "$1" /s 2>/dev/null | tr -d '\r' | grep '^HKEY_'; }
kor_key() { keys 'HKLM\Software\Kor'; }  # where the package writes the printer's configuration
printer_key() { keys 'HKLM\System\CurrentControlSet\Control\Print\Printers\Network Printer'; }
monitor_pid="" watch_pid=""
finish() {
    [ -n "$monitor_pid" ] && kill "$monitor_pid" 2>/dev/null
    [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null
    ctl uninstall >/dev/null
    if [ -n "$(versions)" ]; then for package in "$tmp"/*/*.msi; do msi /x "$package" >/dev/null 2>&1; done; fi
    # What a faulty package's uninstall may leave behind, lest the next run
    # find it: under Wine an uninstall removes no value of a component whose
    # condition is false in that run.
    wine reg delete 'HKLM\Software\Kor' /f >/dev/null 2>&1
    delete_run_value "$monitor_run"
    delete_run_value "$watch_run"
    rm -rf "$folder"  # and the files of programs still running then
    rm -rf "$tmp"
}
trap finish EXIT

# ---- The release script ----------------------------------------------------
# A throwaway signer made on the spot, its key locked with a password, and a
# look at every command line osslsigncode gets.
password="pw-$RANDOM-$RANDOM"
openssl req -x509 -newkey rsa:2048 -passout "pass:$password" -days 1 -subj "/CN=Status monitor test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$tmp/key.pem" -out "$tmp/cert.pem" 2>/dev/null
mkdir "$tmp/spy"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\nexec "%s" "$@"\n' "$tmp/signer-arguments" "$(command -v osslsigncode)" \
    > "$tmp/spy/osslsigncode"
chmod +x "$tmp/spy/osslsigncode"
signer=(PATH="$tmp/spy:$PATH" STATUSMON_SIGN_CERT="$tmp/cert.pem" STATUSMON_SIGN_KEY="$tmp/key.pem"
        STATUSMON_SIGN_PASSWORD="$password")
package() {  # release folder, then VARIABLE=value...
    env STATUSMON_DIST_DIR="$tmp/$1" "${@:2}" bash "$root/scripts/package.sh" "$build" 2>&1
}
signed() { for file in "$@"; do osslsigncode verify -CAfile "$tmp/cert.pem" -in "$file" >/dev/null 2>&1 || return 1; done; }
# shellcheck disable=SC1091
source "$build/release.env"
newer="${version%.*}.$((${version##*.} + 1))"
other_arch=x64
[ "$arch" = x64 ] && other_arch=x86
pinned=1700000000  # a SOURCE_DATE_EPOCH given

# Two signed builds of this version (two product codes), two unsigned of a
# newer one (the second into the first one's folder, beside the signed
# release), the x64 package beside the x86 one, and three that must fail.
package old "${signer[@]}" STATUSMON_SIGN_CAFILE="$tmp/cert.pem" >/dev/null
package same "${signer[@]}" STATUSMON_SIGN_CAFILE="$tmp/cert.pem" >/dev/null
note="$(package new STATUSMON_VERSION="$newer" SOURCE_DATE_EPOCH="$pinned")"
package old STATUSMON_VERSION="$newer" SOURCE_DATE_EPOCH="$pinned" >/dev/null
package other STATUSMON_ARCH="$other_arch" >/dev/null
wrong_password="$(package bad "${signer[@]}" STATUSMON_SIGN_PASSWORD=wrong STATUSMON_SIGN_CAFILE="$tmp/cert.pem")"
wrong_password_status=$?
unverified="$(package bad "${signer[@]}")"  # the system's CA bundle knows no throwaway signer
unverified_status=$?
mkdir "$tmp/bin"
for tool in /usr/bin/*; do [ "${tool##*/}" = msibuild ] || ln -s "$tool" "$tmp/bin/"; done
missing_tool="$(package missing PATH="$tmp/bin")"
missing_tool_status=$?

release() { echo "$tmp/$1/PrinterStatusMonitor-$2$([ "$3" = x86 ] || echo "-$3").msi"; }  # folder, version, arch
old="$(release old "$version" "$arch")" same="$(release same "$version" "$arch")"
new="$(release new "$newer" "$arch")" new_again="$(release old "$newer" "$arch")"
other="$(release other "$version" "$other_arch")"
zip_of() { echo "${1%.msi}.zip"; }
summed() {  # release folder: SHA256SUMS names every other file there, and they match
    [ "$(cut -d ' ' -f 3 "$1/SHA256SUMS" | tr '\n' ' ')" = "$(cd "$1" && ls | grep -vx SHA256SUMS | LC_ALL=C sort | tr '\n' ' ')" ] &&
        (cd "$1" && sha256sum --quiet -c SHA256SUMS)
}
failed_with() { [ "$1" != 0 ] && [[ "$2" == $3 ]]; }  # status, output, pattern
check "the checksums of a signed release match its files" summed "$tmp/same"
check "the checksums cover the whole release folder, earlier releases too" summed "$tmp/old"
check "there are four files to sum" test "$(ls "$tmp/old" | wc -l)" = 5
installed_files="README.md network/default.ini network/profile.ini printwatch.exe sample/default.ini
sample/demo.scenario sample/profile.ini statusctl.exe statusmon.exe statusstop.exe"
check "the zip holds the installed files" test "$(zipinfo -1 "$(zip_of "$old")" | grep -v '/$' |
    sed 's|^Printer Status Monitor/||' | LC_ALL=C sort | tr '\n' ' ')" = "$(echo $installed_files) "
check "without a certificate nothing is signed, and it says so" \
    bash -c "! osslsigncode verify -in '$new' >/dev/null 2>&1 && [[ '$note' == *'nothing is signed'* ]]"
check "the key's password reaches osslsigncode, never on its command line" \
    bash -c "grep -q -- '-in ' '$tmp/signer-arguments' && ! grep -q -F -- '$password' '$tmp/signer-arguments'"
check "a wrong password ends the release script" \
    failed_with "$wrong_password_status" "$wrong_password" "*cannot sign statusmon.exe*"
check "a signature that does not verify ends the release script" \
    failed_with "$unverified_status" "$unverified" "*signature of statusmon.exe does not verify*"
check "a missing tool is named" failed_with "$missing_tool_status" "$missing_tool" "package.sh: msibuild not found*"
check "before anything is made" test ! -e "$tmp/missing"

# The same sources give the same bytes: the link leaves no time in the PE
# header, and the zip (with the programs in it, signed or not) is the same
# from run to run, its files in order with the release's time. The packages
# differ only in their own codes and dates.
link_time() { od -An -tu4 -j "$(($(od -An -tu4 -j 60 -N 4 "$1") + 8))" -N 4 "$1" | tr -d ' '; }
check "the programs carry no link time" \
    test "$(for p in statusmon statusctl statusstop printwatch; do link_time "$build/bin/$p.exe"; done | tr '\n' ' ')" \
    = "0 0 0 0 "
in_order_at() {  # zip, time: its entries in order, each with that time (DOS times have 2 s steps)
    zipinfo -1 "$1" | LC_ALL=C sort -c 2>/dev/null &&
        [ "$(TZ=UTC zipinfo -T "$1" | awk '/^[-d]/ { print $7 }' | sort -u)" = \
          "$(date -u -d "@$((($2 + 1) & ~1))" +%Y%m%d.%H%M%S)" ]
}
check "two signed runs give the same zip" cmp -s "$(zip_of "$old")" "$(zip_of "$same")"
check "two unsigned runs give the same zip" cmp -s "$(zip_of "$new")" "$(zip_of "$new_again")"
check "the zip's files are in order, with the last commit's time" \
    in_order_at "$(zip_of "$old")" "$(git -C "$root" log -1 --format=%ct)"
check "or with the time SOURCE_DATE_EPOCH gives" in_order_at "$(zip_of "$new")" "$pinned"
# Every table and stream of a package, but its summary and signature, and
# its product code. (An export writes binary columns into a folder where it
# runs.)
contents() (
    cd "$tmp" || exit
    for table in $(msiinfo tables "$1" | grep -v '^_'); do msiinfo export "$1" "$table" | grep -v '^ProductCode'; done
    for stream in $(msiinfo streams "$1" | grep -v $'^\005'); do msiinfo extract "$1" "$stream" | sha256sum; done
)
check "two runs' packages differ only in their codes and dates" \
    test "$(contents "$old")$(contents "$new")" = "$(contents "$same")$(contents "$new_again")"

# ---- The package's tables ---------------------------------------------------
# The rows of a table, without its three header lines; msiinfo ends its lines
# with CR LF, and a CR within a value stays.
table() { msiinfo export "$1" "$2" | sed 's/\r$//' | tail -n +4; }
column() { table "$1" "$2" | awk -F '\t' -v key="$3" -v field="$4" '$1 == key { print $field }'; }
installer_version() { msiinfo suminfo "$1" | sed -n 's/^Version: \([0-9]*\) .*/\1/p'; }
check "it asks for Windows Installer 2.0" test "$(installer_version "$old")" = 200
check "another build of the same version is an upgrade, a newer version is refused" test \
    "$(table "$old" Upgrade | awk -F '\t' '{ print $2 "|" $3 "|" $5 "|" $7 }' | LC_ALL=C sort | tr '\n' ' ')" \
    = "$version||2|WIX_DOWNGRADE_DETECTED |$version|513|WIX_UPGRADE_DETECTED "
check "the command line's properties and the upgrade's are secure" test "$(column "$old" Property SecureCustomProperties 2)" \
    = "AUTOSTART;PRINTER_INTERVAL;PRINTER_URI;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED"
conditions() { table "$old" Component | awk -F '\t' '$5 != "" { print $1 ": " $5 }' | LC_ALL=C sort | tr '\n' ';'; }
check "the starts at logon need AUTOSTART, printwatch's and the network printer PRINTER_URI" test "$(conditions)" \
    = 'AutoStart: AUTOSTART = "1";NetworkSettings: PRINTER_URI;WatchAtLogon: PRINTER_URI AND AUTOSTART = "1";'
check "the monitor is stopped by an immediate action that runs statusstop as the user" \
    test "$(column "$old" CustomAction StopMonitor 2)|$(column "$old" CustomAction StopMonitor 3)" = "82|statusstop.exe"
stop_sequence="$(column "$old" InstallExecuteSequence StopMonitor 3)"
check "only where files go away, and before they go" \
    test "$(column "$old" InstallExecuteSequence StopMonitor 2)" = 'REMOVE~="ALL"' \
    -a "$stop_sequence" -lt "$(column "$old" InstallExecuteSequence InstallValidate 3)"
check "an upgrade removes the older version before it installs anything" test \
    "$(column "$old" InstallExecuteSequence InstallValidate 3)" -lt "$(column "$old" InstallExecuteSequence RemoveExistingProducts 3)" \
    -a "$(column "$old" InstallExecuteSequence RemoveExistingProducts 3)" -lt "$(column "$old" InstallExecuteSequence InstallInitialize 3)"
# The feature of a registry value's component, and what the Start-menu
# shortcut checks when it is used: its feature and the features above it.
value_feature() {  # value name
    awk -F '\t' -v name="$1" 'NR == FNR { feature[$2] = $1; next } $4 == name { print feature[$6] }' \
        <(table "$old" FeatureComponents) <(table "$old" Registry)
}
checked_features() {
    local feature
    feature="$(table "$old" Shortcut | awk -F '\t' '$2 == "ProgramMenuFolder" { print $5 }')"
    while [ -n "$feature" ]; do
        echo "$feature"
        feature="$(column "$old" Feature "$feature" 2)"
    done
}
unchecked() {  # value names: each in a feature that the shortcut does not check
    local checked name feature
    checked="$(checked_features)"
    [ -n "$checked" ] || return 1
    for name in "$@"; do
        feature="$(value_feature "$name")"
        [ -n "$feature" ] && ! grep -qx "$feature" <<< "$checked" || return 1
    done
}
check "the starts at logon, the monitor's and printwatch's, are outside what the shortcut checks" \
    unchecked "$monitor_run" "$watch_run"
check "so is the network printer's configuration" \
    unchecked Monitor Code Profile ProfileDefault Driver DriverClass Display PrinterUri PollInterval \
              PRINTER_URI PRINTER_INTERVAL
component_ids() { table "$1" Component | cut -f 2 | LC_ALL=C sort; }
check "the $other_arch package has an upgrade code of its own" test -n "$(column "$other" Property UpgradeCode 2)" \
    -a "$(column "$other" Property UpgradeCode 2)" != "$(column "$old" Property UpgradeCode 2)"
check "and component codes of its own" \
    test -n "$(component_ids "$other")" -a -z "$(LC_ALL=C comm -12 <(component_ids "$old") <(component_ids "$other"))"
check "and asks for Windows Installer 2.0 too" test "$(installer_version "$other")" = 200
# The registry view in which a package writes its values and searches for
# the properties it keeps: 64 where the components with a registry key path
# (attribute 4) have the 64-bit attribute (256) and the searches the 64-bit
# type (16), 32 where none has; both numbers when they differ.
registry_view() {
    { table "$1" Component | awk -F '\t' 'int($4 / 4) % 2 { print int($4 / 256) % 2 ? 64 : 32 }'
      table "$1" RegLocator | awk -F '\t' '{ print int($5 / 16) % 2 ? 64 : 32 }'; } | LC_ALL=C sort -u | tr '\n' ' '
}
view_of() { if [ "$1" = x64 ]; then echo "64 "; else echo "32 "; fi; }  # arch
check "each package writes and reads the registry in the view its programs read" \
    test "$(registry_view "$old")|$(registry_view "$other")" = "$(view_of "$arch")|$(view_of "$other_arch")"

# ---- Installed by Wine's msiexec -------------------------------------------
msi /i "$old"
check "a quiet install lists one version" test "$(versions)" = "$version"
check "it puts the programs, README and sample in place" test -f "$folder/statusmon.exe" -a -f "$folder/statusctl.exe" \
    -a -f "$folder/statusstop.exe" -a -f "$folder/README.md" -a -f "$folder/sample/profile.ini" \
    -a -f "$folder/sample/default.ini"
check "and printwatch with the network printer's profiles" test -f "$folder/printwatch.exe" \
    -a -f "$folder/network/profile.ini" -a -f "$folder/network/default.ini"
check "the package and the programs it installs are signed" \
    signed "$old" "$folder/statusmon.exe" "$folder/statusctl.exe" "$folder/statusstop.exe" "$folder/printwatch.exe"
check "it puts a shortcut into the Start menu" test "$(shortcuts)" = 1
check "it starts the monitor at logon" test "$(run_value "$monitor_run")" = "\"$installed\\statusmon.exe\" /S"
check "without PRINTER_URI it writes no printer's configuration and does not start printwatch" \
    test -z "$(kor_key)$(run_value "$watch_run")"

# What the installed statusctl writes for the network printer: the package
# writes the same with PRINTER_URI. A closed port: the printer is never
# reachable.
uri='ipp://127.0.0.1:9/ipp/print'
ctl install --ipp "$uri" --interval 1 >/dev/null
statusctl_values="$(network_values)"
ctl uninstall >/dev/null

# The monitor as the Run value starts it, set up and fed by the installed statusctl.
ctl install >/dev/null
start_monitor
check "the installed monitor starts" shows "Ready"
ctl post 10
check "it shows a code posted by the installed statusctl" shows "Paper low in tray 1"

# A repair (Wine's msiexec /f takes no package, so its properties are given).
delete_run_value "$monitor_run"
msi /i "$old" REINSTALL=ALL REINSTALLMODE=omus
check "a repair puts back what was removed" test "$(run_value "$monitor_run")" = "\"$installed\\statusmon.exe\" /S"
check "a repair leaves the running monitor running" running "Paper low in tray 1"

msi /i "$same"
check "another build of the same version ends the running monitor" ended
check "and replaces the installed one" \
    test "$(entries)|$(versions)" = "$(column "$same" Property ProductCode 2)|$version" -a -f "$folder/statusmon.exe"
msi /x "$same"
check "whose uninstall leaves no program folder and no entry" test ! -e "$folder" -a -z "$(entries)"

msi /i "$old"
start_monitor
check "the reinstalled monitor starts" shows "Ready"
msi /i "$new" AUTOSTART=0
check "an upgrade ends the running monitor" ended
check "an upgrade leaves one installation" test "$(versions)" = "$newer"
check "AUTOSTART=0 leaves the start at logon out" test -z "$(run_value "$monitor_run")" -a -f "$folder/statusmon.exe"
msi /i "$old"
check "an older version does not install over a newer one" test $? != 0 -a "$(versions)" = "$newer"

start_monitor
check "the upgraded monitor starts" shows "Ready"
ctl uninstall >/dev/null
msi /x "$new"
check "an uninstall ends the running monitor" ended
check "it leaves no program folder" test ! -e "$folder"
check "it leaves no shortcut, Run value or installation" test "$(shortcuts)$(run_value "$monitor_run")$(versions)" = 0

# ---- With a network printer -------------------------------------------------
msi /i "$old" PRINTER_URI="$uri" PRINTER_INTERVAL=1
check "PRINTER_URI writes the network printer's configuration as statusctl install --ipp does" \
    test -n "$statusctl_values" -a "$(network_values)" = "$statusctl_values"
check "and nothing under the spooler's Printers key" test -z "$(printer_key)"
profiles_named() {
    local values
    values="$(network_values)"
    [ -f "$(host_path "$(value_of Profile <<< "$values")")" ] &&
        [ -f "$(host_path "$(value_of ProfileDefault <<< "$values")")" ]
}
check "the profiles it names are installed" profiles_named
check "it starts printwatch at logon beside the monitor" \
    test "$(run_value "$watch_run")|$(run_value "$monitor_run")" \
    = "\"$installed\\printwatch.exe\"|\"$installed\\statusmon.exe\" /S"
start_from_run "$monitor_run" && monitor_pid=$!
start_from_run "$watch_run" && watch_pid=$!
check "the monitor and printwatch started as at logon show the printer not reachable" shows "Printer not reachable"

# Windows Installer keeps no properties: the package recalls those it was
# installed with where a run gives none.
delete_run_value "$watch_run"
msi /i "$old" REINSTALL=ALL REINSTALLMODE=omus
check "a repair without the properties puts printwatch's start back and keeps the printer" \
    test "$(run_value "$watch_run")" = "\"$installed\\printwatch.exe\"" -a "$(network_values)" = "$statusctl_values"
check "and leaves the monitor and printwatch running" bash -c "kill -0 $monitor_pid && kill -0 $watch_pid"
other_uri='ipp://127.0.0.1:9/ipp/other'
msi /i "$new" PRINTER_URI="$other_uri"
check "an upgrade ends the monitor and printwatch" ended "$monitor_pid" "$watch_pid"
check "and takes the address it was given, keeps the interval it was not" \
    test "$(network_values)" = "${statusctl_values//"$uri"/"$other_uri"}"
check "and both starts at logon" test "$(run_value "$watch_run")" = "\"$installed\\printwatch.exe\"" \
    -a "$(run_value "$monitor_run")" = "\"$installed\\statusmon.exe\" /S"
start_from_run "$monitor_run" && monitor_pid=$!
start_from_run "$watch_run" && watch_pid=$!
check "printwatch watches the upgraded configuration" shows "Printer not reachable"
msi /x "$new"
check "the uninstall ends the monitor and printwatch" ended "$monitor_pid" "$watch_pid"
check "and removes every value it wrote, both Run values and the files" \
    test -z "$(kor_key)$(run_value "$monitor_run")$(run_value "$watch_run")" -a ! -e "$folder"

msi /i "$new" PRINTER_URI="$uri" AUTOSTART=0
check "AUTOSTART=0 leaves printwatch's start at logon out too, and writes the printer" \
    test -z "$(run_value "$monitor_run")$(run_value "$watch_run")" -a -n "$(network_values)"
check "whose interval is printwatch's own default without PRINTER_INTERVAL" \
    test "$(network_values)" = "${statusctl_values/PollInterval=REG_SZ:1/PollInterval=REG_SZ:5}"
msi /x "$new"
exit $((failures > 0))
