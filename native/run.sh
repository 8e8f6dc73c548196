#!/usr/bin/env bash
# Builds the program's pure text code natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs its unit tests, then runs each fuzz target
# for FUZZ_SECONDS (default 60; 0 runs the seeds only, through CTest).
# Exits non-zero on any build error, test failure or fuzzer finding.
#
#   native/run.sh                      # all of it
#   FUZZ_SECONDS=10 native/run.sh      # a shorter fuzzing run
#   FUZZ_TARGETS="field_list_fuzz" native/run.sh
#
# The committed seeds in native/fuzz/corpus/ are only read: each target
# works on a copy in build-native/fuzz/<target>/corpus, and anything it
# finds lands in build-native/fuzz/<target>/artifacts/.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${NATIVE_BUILD_DIR:-$ROOT/build-native}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

# Debian 12: clang 14 with its runtime (sanitizers and libFuzzer), CMake,
# Ninja and GoogleTest's sources.
packages=(clang clang-14 libclang-rt-14-dev llvm-14 libstdc++-12-dev cmake ninja-build googletest)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} > 0)); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "run.sh: missing packages ${missing[*]}; install them as root" >&2
    exit 1
  fi
  echo "run.sh: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

started=$(date +%s)
cmake -S "$ROOT/native" -B "$BUILD" -G Ninja -DCMAKE_C_COMPILER=clang-14 \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"
echo "run.sh: build took $(($(date +%s) - started)) s"

# The unit tests, and each fuzz target once over its seeds.
ctest --test-dir "$BUILD" --output-on-failure --parallel "$(nproc)"

if [[ $FUZZ_SECONDS -le 0 ]]; then
  exit 0
fi

read -r -a targets <<<"${FUZZ_TARGETS:-$(tr ';' ' ' <"$BUILD/fuzz_targets.txt")}"
passed=0
failed=0
summary=()
for target in "${targets[@]}"; do
  work="$BUILD/fuzz/$target"
  rm -rf "$work/corpus"
  mkdir -p "$work/corpus" "$work/artifacts"
  if [[ -d "$ROOT/native/fuzz/corpus/$target" ]]; then
    cp -R "$ROOT/native/fuzz/corpus/$target/." "$work/corpus/"
  fi
  echo "run.sh: fuzzing $target for $FUZZ_SECONDS s"
  status=0
  "$BUILD/$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" \
    >"$work/log.txt" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log.txt" | tail -n1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log.txt" | tail -n1)
  units=$(find "$work/corpus" -type f | wc -l)
  if [[ $status -eq 0 ]]; then
    passed=$((passed + 1))
    summary+=("$(printf '%-20s ok      %10s runs %8s exec/s %6s corpus files' "$target" "${runs:-?}" "${speed:-?}" "$units")")
  else
    failed=$((failed + 1))
    summary+=("$(printf '%-20s FAILED  exit %s, see %s' "$target" "$status" "$work/log.txt")")
    echo "run.sh: $target failed (exit $status); the end of its log:" >&2
    tail -n 40 "$work/log.txt" >&2
    ls -l "$work/artifacts" >&2
  fi
done

printf '%s\n' "${summary[@]}"
echo "fuzz: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
