#!/usr/bin/env bash
# Makes a release of the monitor: the Windows Installer package, a zip of the
# same files for those who want no installer, and their SHA256SUMS.
#
#   bash scripts/package.sh [BUILD_DIR]
#
# Without BUILD_DIR it installs what is missing, builds the release programs
# (build/, the 32-bit product) and packages them; with one it packages that
# build as it is (the installer test packages the build it tests).
#
# Environment:
#   STATUSMON_SIGN_CERT, STATUSMON_SIGN_KEY
#                        a code-signing certificate and its private key (PEM
#                        or DER files): the programs and the package are
#                        signed with osslsigncode. Without them nothing is.
#   STATUSMON_SIGN_PASSWORD   the key's password, if it has one
#   STATUSMON_SIGN_TIMESTAMP  an RFC 3161 time-stamping server's URL (optional)
#   STATUSMON_DIST_DIR   where the files go (default: dist/)
#   STATUSMON_VERSION    the package's version instead of the build's (the
#                        installer test makes a "newer" package with it)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ $# -gt 0 ]; then
    build="$(cd "$1" && pwd)"
else
    bash "$root/scripts/setup.sh"
    bash "$root/scripts/build.sh"
    build="$root/build"
fi
# version= and arch= (x86 or x64) of that build, written by CMake.
# shellcheck disable=SC1091
source "$build/release.env"
version="${STATUSMON_VERSION:-$version}"
dist="${STATUSMON_DIST_DIR:-$root/dist}"
name="PrinterStatusMonitor-$version"
[ "$arch" = x86 ] || name="$name-$arch"
folder="Printer Status Monitor"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$folder/sample" "$dist"
cp "$build/bin/statusmon.exe" "$build/bin/statusctl.exe" "$root/README.md" "$stage/$folder/"
cp "$root/sample/profile.ini" "$root/sample/default.ini" "$root/sample/demo.scenario" "$stage/$folder/sample/"
cp "$root/ui/res/normal.ico" "$stage/statusmon.ico"

sign() {  # file
    local options=(-certs "$STATUSMON_SIGN_CERT" -key "$STATUSMON_SIGN_KEY" -n "Printer Status Monitor")
    [ -n "${STATUSMON_SIGN_PASSWORD:-}" ] && options+=(-pass "$STATUSMON_SIGN_PASSWORD")
    [ -n "${STATUSMON_SIGN_TIMESTAMP:-}" ] && options+=(-ts "$STATUSMON_SIGN_TIMESTAMP")
    osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" >/dev/null
    mv "$1.signed" "$1"
    echo "package.sh: signed ${1##*/}"
}
signing=0
if [ -n "${STATUSMON_SIGN_CERT:-}" ] && [ -n "${STATUSMON_SIGN_KEY:-}" ]; then
    signing=1
    sign "$stage/$folder/statusmon.exe"
    sign "$stage/$folder/statusctl.exe"
elif [ -n "${STATUSMON_SIGN_CERT:-}${STATUSMON_SIGN_KEY:-}" ]; then
    echo "package.sh: signing needs both STATUSMON_SIGN_CERT and STATUSMON_SIGN_KEY" >&2
    exit 2
else
    echo "package.sh: no code-signing certificate given (STATUSMON_SIGN_CERT, STATUSMON_SIGN_KEY): nothing is signed"
fi

msi="$dist/$name.msi"
rm -f "$msi" "$dist/$name.zip" "$dist/SHA256SUMS"
# wixl takes the files' names relative to the folder it runs in.
(cd "$stage" && wixl -a "$arch" -D Version="$version" -D Arch="$arch" -D Files="$folder" -D Icon=statusmon.ico \
                     -o "$msi" "$root/release/statusmon.wxs")
[ -f "$msi" ] || { echo "package.sh: wixl made no package" >&2; exit 1; }
# What wixl cannot write: the condition that leaves the start at logon out
# when AUTOSTART is not 1, and AUTOSTART among the secure properties, which
# reach the installation's privileged part from the command line.
msibuild "$msi" -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART = \"1\"' WHERE \`Component\` = 'AutoStart'"
secure="$(msiinfo export "$msi" Property | awk -F '\t' '$1 == "SecureCustomProperties" { print $2 }')"
msibuild "$msi" -q "UPDATE \`Property\` SET \`Value\` = 'AUTOSTART;$secure' WHERE \`Property\` = 'SecureCustomProperties'"
[ "$signing" = 1 ] && sign "$msi"

(cd "$stage" && zip -q -r -X "$dist/$name.zip" "$folder")
(cd "$dist" && sha256sum "$name.msi" "$name.zip" > SHA256SUMS)
echo "package.sh: $dist: $name.msi, $name.zip, SHA256SUMS"
