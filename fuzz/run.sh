#!/bin/sh
# Builds the fuzz targets with Clang (build-fuzz/) and runs each for SECONDS
# seconds (default 60), one after the other, starting from the checked-in
# seeds. New inputs go to build-fuzz/corpus/<target>, crashes and hangs to
# build-fuzz/artifacts/; the script fails when any target found one.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_FUZZ=ON -DKIV_BUILD_TESTS=OFF \
  -DKIV_WERROR=ON >/dev/null
targets="$*"
if [ -z "$targets" ]; then
  cmake --build build-fuzz -j"$(nproc)" --target kiv_fuzz >/dev/null
  targets=$(cd build-fuzz/fuzz && ls fuzz_* | sed 's/^fuzz_//')
else
  for t in $targets; do cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$t" >/dev/null; done
fi
mkdir -p build-fuzz/artifacts
failed=""
for t in $targets; do
  mkdir -p "build-fuzz/corpus/$t"
  dict=""
  [ -f "fuzz/dict/$t.dict" ] && dict="-dict=fuzz/dict/$t.dict"
  echo "== $t ($seconds s)"
  if ! "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/$t-" $dict "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
      >"build-fuzz/$t.log" 2>&1; then
    failed="$failed $t"
    tail -40 "build-fuzz/$t.log"
  fi
  grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "build-fuzz/$t.log" | tail -2 || true
done
if [ -n "$failed" ]; then
  echo "fuzz targets that failed:$failed" >&2
  exit 1
fi
