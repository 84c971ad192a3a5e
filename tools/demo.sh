#!/usr/bin/env bash
# Sets up the machine, builds, and runs the main job inside a virtual X server:
# a double-buffered OpenGL window, cleared, written to vistrel_demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" build-release/tools/vistrel_demo "$PWD/vistrel_demo.png"
