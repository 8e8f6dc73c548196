#!/usr/bin/env bash
# Runs a Windows program in the project's own Wine prefix; CTest uses it to
# run and discover the tests. It prints nothing of its own: the discovery
# reads the programs' output.
# shellcheck disable=SC2034  # read by wine-env.sh
wine_env_quiet=1
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec "$WINELOADER" "$@"
