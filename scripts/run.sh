#!/bin/sh
# Builds everything, compiles the sample network and runs a route search on
# it: the routes from 東京 to 高崎 at 9:00 on a Monday, fastest first.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
exec build/app/kiv4cli -C build/sample route 東京 高崎 --time 9:00 --day 1 --order time --routes 5
