#!/bin/sh
# Builds everything, compiles the sample network and starts kiv4 on it.
# Without a display it says so and runs one route search with kiv4cli
# instead: the routes from 東京 to 高崎 at 9:00 on a Monday, the best routes by arrival,
# then changes, then fare.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  # kiv4 works in the directory that holds the data files.
  cd build/sample
  exec ../app/gui/kiv4 "$@"
fi
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): kiv4 needs one. A route search with kiv4cli instead:" >&2
exec build/app/kiv4cli -C build/sample route 東京 高崎 --time 9:00 --day 1 --mode best --routes 5 --extra 60
