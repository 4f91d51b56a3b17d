#!/usr/bin/env bash
# Set up, build and start Pavik. Arguments go to the program (an optional .css file).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAVIK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

# The embedded browser's sandbox cannot run as root.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
exec "$build/bin/pavik" "$@"
