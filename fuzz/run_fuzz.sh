#!/usr/bin/env bash
# Builds the engine with clang + libFuzzer in its own folder, replays the seed corpus, then
# fuzzes for a bounded number of runs. A crash, leak or timeout makes it exit non-zero.
set -euo pipefail
src=$1
build=$2
runs=${KORVEX_FUZZ_RUNS:-4000}

cmake -S "$src" -B "$build" -G Ninja -DKORVEX_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" >/dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for fuzzer in "$build"/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer")
  seeds="$src/fuzz/corpus/${name%_fuzzer}"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  if [ -d "$seeds" ]; then
    echo "== $name: replaying $(ls "$seeds" | wc -l) seed inputs"
    "$fuzzer" -runs=0 -timeout=30 -rss_limit_mb=4096 "$seeds" >"$work/replay.log" 2>&1 || { cat "$work/replay.log"; status=1; }
    cp -r "$seeds"/. "$work/"
  fi
  echo "== $name: fuzzing for $runs runs"
  "$fuzzer" -runs="$runs" -max_total_time=120 -timeout=30 -rss_limit_mb=4096 -max_len=65536 \
    -seed=1 "$work" >"$work/fuzz.log" 2>&1 || { tail -n 60 "$work/fuzz.log"; status=1; }
  rm -rf "$work"
  trap - EXIT
done
if [ $status -eq 0 ]; then echo "fuzz: 1 passed, 0 failed"; fi
exit $status
