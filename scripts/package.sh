#!/usr/bin/env bash
# Makes a release of the monitor: the Windows Installer package, a zip of the
# same files for those who want no installer, and SHA256SUMS of every file in
# the release folder.
#
#   bash scripts/package.sh [BUILD_DIR]
#
# Without BUILD_DIR it installs what is missing, builds the release programs
# (build/, the 32-bit product) and packages them; with one it packages that
# build as it is (the installer test packages the build it tests).
#
# The same sources give the same bytes: the programs carry no link time, the
# files get the time of SOURCE_DATE_EPOCH and go into the zip in a fixed
# order, and a signature carries that time too. Only the package differs
# from run to run, in its own codes and dates (Windows Installer needs a new
# package code for each package).
#
# Environment:
#   STATUSMON_SIGN_CERT, STATUSMON_SIGN_KEY
#                        a code-signing certificate and its private key (PEM
#                        or DER files): the programs and the package are
#                        signed with osslsigncode, and every signature is
#                        verified. Without them nothing is signed.
#   STATUSMON_SIGN_PASSWORD   the key's password, if it has one; osslsigncode
#                        reads it from a file only this user can read, never
#                        from its command line
#   STATUSMON_SIGN_TIMESTAMP  an RFC 3161 time-stamping server's URL (optional)
#   STATUSMON_SIGN_CAFILE     the certificates the signatures are verified
#                        against (default: the system's CA bundle)
#   SOURCE_DATE_EPOCH    the time of the files and signatures, in seconds
#                        since 1970 (default: the last commit's time)
#   STATUSMON_DIST_DIR   where the files go (default: dist/)
#   STATUSMON_VERSION    the package's version instead of the build's (the
#                        installer test makes a "newer" package with it)
#   STATUSMON_ARCH       the package's architecture instead of the build's
#                        (the installer test compares the x86 and x64
#                        packages' codes)
#
# Exit codes: 0 done, 1 failed (a tool missing, a signature that does not
# verify), 2 bad settings.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fail() { echo "package.sh: $2" >&2; exit "$1"; }

signing=0
if [ -n "${STATUSMON_SIGN_CERT:-}" ] && [ -n "${STATUSMON_SIGN_KEY:-}" ]; then
    signing=1
elif [ -n "${STATUSMON_SIGN_CERT:-}${STATUSMON_SIGN_KEY:-}" ]; then
    fail 2 "signing needs both STATUSMON_SIGN_CERT and STATUSMON_SIGN_KEY"
fi

if [ $# -eq 0 ]; then
    bash "$root/scripts/setup.sh"
fi
# Every tool, before anything is made, with the Debian package it comes in.
tools=(wixl:wixl msibuild:msitools msiinfo:msitools zip:zip sha256sum:coreutils)
[ "$signing" = 1 ] && tools+=(osslsigncode:osslsigncode)
[ -z "${SOURCE_DATE_EPOCH:-}" ] && tools+=(git:git)
for tool in "${tools[@]}"; do
    command -v "${tool%%:*}" >/dev/null ||
        fail 1 "${tool%%:*} not found (Debian package ${tool#*:}; scripts/setup.sh installs it)"
done

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null)" ||
        fail 2 "$root has no commit to take the release's time from: set SOURCE_DATE_EPOCH"
fi
# A zip holds no time before 1980.
[[ "$SOURCE_DATE_EPOCH" =~ ^[0-9]+$ ]] && [ "$SOURCE_DATE_EPOCH" -ge 315532800 ] ||
    fail 2 "SOURCE_DATE_EPOCH '$SOURCE_DATE_EPOCH' is not a time in seconds since 1970, from 1980 on"

if [ $# -gt 0 ]; then
    build="$(cd "$1" && pwd)"
else
    bash "$root/scripts/build.sh"
    build="$root/build"
fi
# version= and arch= (x86 or x64) of that build, written by CMake.
# shellcheck disable=SC1091
source "$build/release.env"
version="${STATUSMON_VERSION:-$version}"
arch="${STATUSMON_ARCH:-$arch}"
name="PrinterStatusMonitor-$version"
[ "$arch" = x86 ] || name="$name-$arch"
# dist/ is what a release publishes, all of it summed in SHA256SUMS. The x64
# package is a test build (for machines that cannot run 32-bit code, tried
# under Wine only): it goes only where STATUSMON_DIST_DIR says.
[ "$arch" = x86 ] || [ -n "${STATUSMON_DIST_DIR:-}" ] ||
    fail 2 "the $arch package is a test build, not a release: name its folder with STATUSMON_DIST_DIR"
dist="${STATUSMON_DIST_DIR:-$root/dist}"
folder="Printer Status Monitor"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$folder/sample" "$stage/$folder/network" "$dist"
programs=(statusmon statusctl statusstop printwatch)
for program in "${programs[@]}"; do cp "$build/bin/$program.exe" "$stage/$folder/"; done
cp "$root/README.md" "$stage/$folder/"
cp "$root/sample/profile.ini" "$root/sample/default.ini" "$root/sample/demo.scenario" "$stage/$folder/sample/"
# The network printer's profiles, made by the build.
cp "$build/bin/network/profile.ini" "$build/bin/network/default.ini" "$stage/$folder/network/"
cp "$root/ui/res/normal.ico" "$stage/statusmon.ico"

# The key's password goes to osslsigncode in a file of the private stage
# folder: an argument would show in the process list.
if [ "$signing" = 1 ] && [ -n "${STATUSMON_SIGN_PASSWORD:-}" ]; then
    (umask 077 && printf '%s' "$STATUSMON_SIGN_PASSWORD" > "$stage/password")
fi
sign() {  # file
    local options=(-certs "$STATUSMON_SIGN_CERT" -key "$STATUSMON_SIGN_KEY" -n "Printer Status Monitor"
                   -time "$SOURCE_DATE_EPOCH")
    [ -f "$stage/password" ] && options+=(-readpass "$stage/password")
    [ -n "${STATUSMON_SIGN_TIMESTAMP:-}" ] && options+=(-ts "$STATUSMON_SIGN_TIMESTAMP")
    local verify=()
    [ -n "${STATUSMON_SIGN_CAFILE:-}" ] && verify+=(-CAfile "$STATUSMON_SIGN_CAFILE")
    local said
    # osslsigncode's own lines, without OpenSSL's error stack.
    said="$(osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" 2>&1)" ||
        fail 1 "cannot sign ${1##*/}: $(echo "$said" | grep -v -e ':error:' -e 'pass phrase' | tr '\n' ' ')"
    mv "$1.signed" "$1"
    local against="STATUSMON_SIGN_CAFILE"
    [ ${#verify[@]} -eq 0 ] && against="the system's CA bundle; STATUSMON_SIGN_CAFILE names others"
    said="$(osslsigncode verify "${verify[@]}" -in "$1" 2>&1)" ||
        fail 1 "the signature of ${1##*/} does not verify ($against): $(echo "$said" |
                sed -n -e 's/.*Verify error: *//p' -e '/MISMATCH/p' | head -n 1)"
    echo "package.sh: signed and verified ${1##*/}"
}
if [ "$signing" = 1 ]; then
    for program in "${programs[@]}"; do sign "$stage/$folder/$program.exe"; done
else
    echo "package.sh: no code-signing certificate given (STATUSMON_SIGN_CERT, STATUSMON_SIGN_KEY): nothing is signed"
fi
# Fixed modes and times for every file, whatever the umask and the clock:
# the zip and the package's cabinet store them.
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -d "@$SOURCE_DATE_EPOCH" {} +

msi="$dist/$name.msi"
rm -f "$msi" "$dist/$name.zip" "$dist/SHA256SUMS"
# wixl takes the files' names relative to the folder it runs in.
(cd "$stage" && wixl -a "$arch" -D Version="$version" -D Arch="$arch" -D Files="$folder" -D Icon=statusmon.ico \
                     -o "$msi" "$root/release/statusmon.wxs")
[ -f "$msi" ] || fail 1 "wixl made no package"
# What wixl cannot write: the components' conditions (the start at logon
# left out when AUTOSTART is not 1; the network printer's configuration and
# printwatch's start at logon only with PRINTER_URI); the properties given
# on the command line among the secure properties, which reach the
# installation's privileged part; and the upgrade row's maximum version
# taken in (msidbUpgradeAttributesVersionMaxInclusive, 512), so that another
# build of the same version replaces the installed one.
# (msiinfo ends its lines with CR LF.)
table() { msiinfo export "$msi" "$1" | tr -d '\r'; }
msibuild "$msi" -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART = \"1\"' WHERE \`Component\` = 'AutoStart'"
msibuild "$msi" -q "UPDATE \`Component\` SET \`Condition\` = 'PRINTER_URI' WHERE \`Component\` = 'NetworkSettings'" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'PRINTER_URI AND AUTOSTART = \"1\"' WHERE \`Component\` = 'WatchAtLogon'"
secure="$(table Property | awk -F '\t' '$1 == "SecureCustomProperties" { print $2 }')"
msibuild "$msi" -q "UPDATE \`Property\` SET \`Value\` = 'AUTOSTART;PRINTER_INTERVAL;PRINTER_URI;$secure' WHERE \`Property\` = 'SecureCustomProperties'"
# The upgrade row's attributes are part of its key, which SQL here cannot
# update: the row is written anew.
read -r upgrade_code upgrade_max upgrade_attributes < <(table Upgrade |
    awk -F '\t' '$7 == "WIX_UPGRADE_DETECTED" && $2 == "" && $4 == "" && $6 == "" { print $1, $3, $5 }') ||
    fail 1 "the package has no upgrade row"
msibuild "$msi" -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
        VALUES ('$upgrade_code', '$upgrade_max', $((upgrade_attributes | 512)), 'WIX_UPGRADE_DETECTED')"
[ "$signing" = 1 ] && sign "$msi"

# The zip's entries in one order, with the times and modes set above; DOS
# times are local, so the zone is fixed too. -X leaves out the owner.
(cd "$stage" && find "$folder" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$dist/$name.zip")
# The sums of everything the release folder holds, earlier releases too.
(cd "$dist" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort |
     xargs -r -d '\n' sha256sum > SHA256SUMS)
echo "package.sh: $dist: $name.msi, $name.zip, SHA256SUMS"
