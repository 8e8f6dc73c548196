#!/usr/bin/env bash
# Runs a Windows program in the project's own Wine prefix; CTest uses it to
# run and discover the tests.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec "$WINELOADER" "$@"
