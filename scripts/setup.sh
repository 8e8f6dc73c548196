#!/usr/bin/env bash
# Installs what building, running and testing need on Debian (run as root, or
# with sudo available). Does nothing when everything is there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# fonts-wine: Wine's own fonts, such as Marlett for the caption buttons.
# wixl, msitools (msibuild), zip and osslsigncode make and sign the release
# (scripts/package.sh); openssl makes the installer test's certificate, and
# unzip's zipinfo lets it read the zip's names, order and times.
packages=(cmake make binutils g++-mingw-w64-i686 googletest xvfb xauth x11-utils xdotool imagemagick fonts-wine
          wixl msitools zip unzip osslsigncode openssl)
# git: the test command checks with it that every hand-made fault still applies.
packages+=(git)
# The test printer (tools/printer/printer.sh): ippeveprinter and ipptool
# (cups-ipp-utils), the private bus that ippeveprinter needs (dbus-daemon),
# and curl for the printer's web forms that change its state.
packages+=(cups-ipp-utils dbus-daemon curl)
if [ "$STATUSMON_WINE_BITS" = 32 ]; then
    packages+=(wine wine32:i386)
else
    # 32-bit code cannot run here: 64-bit Wine runs the 64-bit test build.
    packages+=(wine wine64 g++-mingw-w64-x86-64)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ "$STATUSMON_WINE_BITS" = 32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
