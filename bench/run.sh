#!/bin/sh
# Runs kiv_bench and prints one table: operation, reference time, fast time,
# ratio (reference / fast), in CPU milliseconds of the process, which a
# shared machine disturbs less than the wall times shown after them.
# Usage: bench/run.sh [build dir] [benchmark filter]
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
  /^"?[a-z0-9_]+\/[a-z0-9_]+\/(reference|fast)(\/[^,"]*)?"?,/ {
    name = $1; gsub(/"/, "", name)
    n = split(name, part, "/")
    op = part[1] "/" part[2]
    unit = $5; gsub(/"/, "", unit)
    scale = unit == "ns" ? 1e-6 : unit == "us" ? 1e-3 : unit == "s" ? 1e3 : 1
    if (!(op in seen)) { seen[op] = 1; order[++count] = op }
    t[op, part[3]] = $4 * scale
    wall[op, part[3]] = $3 * scale
  }
  END {
    printf "%-28s %13s %13s %8s %13s %13s\n", "operation", "reference ms", "fast ms", "ratio", "ref wall ms", "fast wall ms"
    for (i = 1; i <= count; i++) {
      op = order[i]; r = t[op, "reference"]; f = t[op, "fast"]
      printf "%-28s %13.3f %13.3f %8s %13.3f %13.3f\n", op, r, f, (f > 0 ? sprintf("%.1f", r / f) : "-"), wall[op, "reference"], wall[op, "fast"]
    }
  }' "$out"
