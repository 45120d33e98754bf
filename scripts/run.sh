#!/bin/sh
# Builds everything and runs the program on the bundled sample network.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/app/kiv4cli -C build/sample stations
