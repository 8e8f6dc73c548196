#!/usr/bin/env bash
# Runs a program of the host system for a Windows program under Wine, which
# can start it (CreateProcess of a Unix program) but sees neither its exit
# code nor its output: both go into the file RESULT once the program has
# ended, the exit code on the first line. The file appears whole (written
# beside it, then renamed), so the caller may read it as soon as it exists.
#
#   host_call.sh RESULT PROGRAM [ARG...]
set -uo pipefail
result="$1"
shift
# Nothing goes to the caller's streams (under CTest, its output pipe): a
# server started from here would otherwise keep them open.
exec < /dev/null > /dev/null 2>&1
code=0
"$@" > "$result.out" 2>&1 || code=$?
{ echo "$code"; cat "$result.out"; } > "$result.part"
rm -f "$result.out"
mv "$result.part" "$result"
