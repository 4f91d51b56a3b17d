#!/usr/bin/env bash
# Set up, build (with AddressSanitizer and UndefinedBehaviorSanitizer) and run every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash tools/setup.sh

# One compiler cache for every checkout: paths are taken relative to the checkout.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

build="${PAVIK_TEST_BUILD:-$root/build/test}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAVIK_TESTS=ON -DPAVIK_SANITIZE=ON >/dev/null
cmake --build "$build" -j "${PAVIK_JOBS:-$(nproc)}"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j "${PAVIK_JOBS:-$(nproc)}" --timeout 600
