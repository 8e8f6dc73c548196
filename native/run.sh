#!/usr/bin/env bash
# Builds the program's pure text code and printwatch's pure IPP code
# natively under AddressSanitizer and UndefinedBehaviorSanitizer, runs their
# unit tests and the fuzz targets over their seeds (CTest), then fuzzes each
# target for FUZZ_SECONDS (default 60; 0 skips this). Exits non-zero on any build error, failure or finding.
#
#   native/run.sh                      # all of it
#   FUZZ_SECONDS=10 native/run.sh      # a shorter fuzzing run
#   FUZZ_TARGETS="ipp_fuzz" native/run.sh   # one of the targets
#
# The committed seeds in native/fuzz/corpus/<target>/ are only read: libFuzzer
# adds inputs only to the first corpus it is given, build-native/fuzz/<target>/
# corpus, and writes what it finds to build-native/fuzz/<target>/artifacts/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${NATIVE_BUILD_DIR:-$ROOT/build-native}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

# Debian 12: clang 14 with its sanitizer and libFuzzer runtimes, CMake, Ninja
# and GoogleTest's sources; installed when missing (as root).
packages=(clang-14 libclang-rt-14-dev llvm-14 libstdc++-12-dev cmake ninja-build googletest)
if ! dpkg-query -s "${packages[@]}" >/dev/null 2>&1; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${packages[@]}"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
cmake -S "$ROOT/native" -B "$BUILD" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"
ctest --test-dir "$BUILD" --output-on-failure --parallel "$(nproc)"
((FUZZ_SECONDS > 0)) || exit 0

for target in ${FUZZ_TARGETS:-text_fuzz ipp_fuzz}; do
  work=$BUILD/fuzz/$target
  rm -rf "$work/corpus" && mkdir -p "$work/corpus" "$work/artifacts"
  if ! "$BUILD/$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$ROOT/native/fuzz/corpus/$target" >"$work/log.txt" 2>&1; then
    tail -n 40 "$work/log.txt" >&2
    echo "run.sh: $target FAILED; its log is $work/log.txt, what it found is in $work/artifacts/" >&2
    exit 1
  fi
done
