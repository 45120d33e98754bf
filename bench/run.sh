#!/bin/sh
# Runs kiv_bench and prints one table: operation, reference time, fast time,
# ratio (reference / fast), in CPU milliseconds of the process, which a
# shared machine disturbs less than the wall times shown after them.
#
# Every figure is the median of several repetitions of the benchmark, each
# repetition an average over as many runs as fit in its minimum time, so one
# disturbed repetition moves no figure. Most operations are repeated
# KIV_BENCH_REPETITIONS times (default 9) for at least KIV_BENCH_MIN_TIME
# seconds each (default 0.1); an operation whose plain way takes seconds is
# repeated fewer times, as kiv_bench registers it (its plain way 3 times,
# one run each; its fast way 5 times). The whole table takes some minutes.
#
# Usage: bench/run.sh [build dir] [benchmark filter]
# The build dir defaults to ./build; build kiv_bench there first.
set -eu
build=${1:-build}
filter=${2:-.}
repetitions=${KIV_BENCH_REPETITIONS:-9}
min_time=${KIV_BENCH_MIN_TIME:-0.1}
bin="$build/bench/kiv_bench"
if [ ! -x "$bin" ]; then
  echo "run.sh: $bin not found; build it with: cmake --build $build --target kiv_bench" >&2
  exit 1
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# The developer tools write progress lines on the standard output: keep them off the table.
"$bin" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
  --benchmark_min_time="$min_time" --benchmark_report_aggregates_only=true \
  --benchmark_out="$out" --benchmark_out_format=csv >/dev/null
# A row is "<data set>/<operation>/<way>[/<options>]" followed by "_median"
# (or by "_mean", "_stddev", "_cv", which are skipped); a benchmark repeated
# once has no aggregates, and its single row stands for the median.
awk -F, '
  /^"?[a-z0-9_]+\/[a-z0-9_]+\/(reference|fast)[^,]*,/ {
    name = $1; gsub(/"/, "", name)
    kind = "single"
    if (match(name, /_(median|mean|stddev|cv)$/)) {
      kind = substr(name, RSTART + 1)
      name = substr(name, 1, RSTART - 1)
    }
    if (kind != "single" && kind != "median") next
    n = split(name, part, "/")
    op = part[1] "/" part[2]
    way = part[3]
    if (kind == "single" && ((op, way) in t)) next
    unit = $5; gsub(/"/, "", unit)
    scale = unit == "ns" ? 1e-6 : unit == "us" ? 1e-3 : unit == "s" ? 1e3 : 1
    if (!(op in seen)) { seen[op] = 1; order[++count] = op }
    t[op, way] = $4 * scale
    wall[op, way] = $3 * scale
  }
  END {
    printf "%-28s %13s %13s %8s %13s %13s\n", "operation", "reference ms", "fast ms", "ratio", "ref wall ms", "fast wall ms"
    for (i = 1; i <= count; i++) {
      op = order[i]; r = t[op, "reference"]; f = t[op, "fast"]
      printf "%-28s %13.4f %13.4f %8s %13.4f %13.4f\n", op, r, f, (f > 0 ? sprintf("%.1f", r / f) : "-"), wall[op, "reference"], wall[op, "fast"]
    }
  }' "$out"
