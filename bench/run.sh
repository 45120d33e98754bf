#!/bin/sh
# Runs kiv_bench and prints one table: operation, reference time, fast time,
# ratio (reference / fast). Usage: bench/run.sh [build dir] [benchmark filter]
# The build dir defaults to ./build; build kiv_bench there first.
set -eu
build=${1:-build}
filter=${2:-.}
bin="$build/bench/kiv_bench"
if [ ! -x "$bin" ]; then
  echo "run.sh: $bin not found; build it with: cmake --build $build --target kiv_bench" >&2
  exit 1
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# The developer tools write progress lines on the standard output: keep them off the table.
"$bin" --benchmark_filter="$filter" --benchmark_out="$out" --benchmark_out_format=csv >/dev/null
awk -F, '
  /^"?[a-z0-9_]+\/[a-z0-9_]+\/(reference|fast)"?,/ {
    name = $1; gsub(/"/, "", name)
    n = split(name, part, "/")
    op = part[1] "/" part[2]
    unit = $5; gsub(/"/, "", unit)
    ms = $3
    if (unit == "ns") ms = $3 / 1e6; else if (unit == "us") ms = $3 / 1e3; else if (unit == "s") ms = $3 * 1e3
    if (!(op in seen)) { seen[op] = 1; order[++count] = op }
    t[op, part[3]] = ms
  }
  END {
    printf "%-32s %14s %14s %10s\n", "operation", "reference ms", "fast ms", "ratio"
    for (i = 1; i <= count; i++) {
      op = order[i]; r = t[op, "reference"]; f = t[op, "fast"]
      printf "%-32s %14.3f %14.3f %10s\n", op, r, f, (f > 0 ? sprintf("%.1f", r / f) : "-")
    }
  }' "$out"
