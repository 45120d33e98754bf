#!/bin/sh
# Builds everything and runs every test.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build && ctest --output-on-failure -j"$(nproc)"
