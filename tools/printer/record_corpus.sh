#!/usr/bin/env bash
# Records the test printer's answers to Get-Printer-Attributes in several
# states, as raw IPP bodies, one file each: seeds for a fuzz target of an
# IPP response decoder.
#
#   record_corpus.sh [OUTDIR]     (default native/fuzz/corpus/ipp_fuzz)
#
# The request asks for printer-state, printer-state-reasons and
# printer-state-message; idle-all.ipp asks for everything the printer has
# (collections, ranges, resolutions, dates...), and not-found.ipp names a
# printer-uri with a wrong path (client-error-not-found).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../../native/fuzz/corpus/ipp_fuzz}"
printer="$here/printer.sh"
mkdir -p "$out"
dir="$(mktemp -d)"
trap 'bash "$printer" remove "$dir"' EXIT
port="$(bash "$printer" start "$dir")"

# Get-Printer-Attributes, IPP 2.0, request id 1, for the printer-uri PATH and
# the requested attributes given (none: all of them).
request() {  # PATH [ATTRIBUTE...]
    local uri="ipp://localhost$1" first=1 name
    shift
    printf '\x02\x00\x00\x0B\x00\x00\x00\x01\x01'
    printf '\x47\x00\x12attributes-charset\x00\x05utf-8'
    printf '\x48\x00\x1Battributes-natural-language\x00\x02en'
    printf '\x45\x00\x0Bprinter-uri\x00'"$(printf '\\x%02X' "${#uri}")"'%s' "$uri"
    for name in "$@"; do
        if [ "$first" = 1 ]; then
            printf '\x44\x00\x14requested-attributes'
            first=0
        else
            printf '\x44\x00\x00'
        fi
        printf '\x00'"$(printf '\\x%02X' "${#name}")"'%s' "$name"
    done
    printf '\x03'
}

record() {  # FILE PATH [ATTRIBUTE...]
    local file="$1"
    shift
    request "$@" | curl -sf --max-time 10 -H 'Content-Type: application/ipp' --data-binary @- \
        -o "$out/$file" "http://127.0.0.1:$port/ipp/print"
    echo "record_corpus.sh: $file ($(wc -c < "$out/$file") bytes): $(bash "$printer" state "$dir" | tr '\n' ' ')"
}
state=(printer-state printer-state-reasons printer-state-message)

record idle.ipp /ipp/print "${state[@]}"
record idle-all.ipp /ipp/print
record not-found.ipp /ipp/wrong "${state[@]}"
bash "$printer" supplies "$dir" 5 25
record toner-low.ipp /ipp/print "${state[@]}"
bash "$printer" supplies "$dir" 75 25
bash "$printer" media "$dir" 0
record media-empty.ipp /ipp/print "${state[@]}"
bash "$printer" media "$dir" 250
bash "$printer" job "$dir" 2000 "STATE: +media-jam-error,cover-open-error"
bash "$printer" wait "$dir" printer-state-reasons=cover-open-warning,media-jam-warning 5000 > /dev/null
record jam-while-printing.ipp /ipp/print "${state[@]}"
bash "$printer" wait "$dir" printer-state=idle 10000 > /dev/null
record jam-after-job.ipp /ipp/print "${state[@]}"
