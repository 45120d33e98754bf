#!/bin/sh
# Builds everything, compiles the sample network and runs a route search on
# it: the best routes from 東京 to 高崎 at 9:00 on a Monday (by arrival, then
# changes, then fare).
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/app/kiv4cli -C build/sample route 東京 高崎 --time 9:00 --day 1 --mode best --routes 5
