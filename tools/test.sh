#!/usr/bin/env bash
# Sets up the machine, builds, and runs the whole test suite inside one virtual
# X server (1280x1024x24). Usage: tools/test.sh [Release|Debug|Sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
config="${1:-Release}"
tools/setup.sh
build="build-$(echo "$config" | tr '[:upper:]' '[:lower:]')"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="$config" >/dev/null
cmake --build "$build" -j"$(nproc)"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --output-on-failure --timeout 300
