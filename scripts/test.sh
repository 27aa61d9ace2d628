#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite in every
# preset; the real-window tests run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in release debug asan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset" -j2
done
