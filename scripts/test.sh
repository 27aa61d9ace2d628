#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite in every
# preset; the real-window tests run under a virtual X server. Then the Debian
# package and its checks, the browser build in headless Chromium; last, each
# fuzz target runs for a bounded time.
# With --quick: the release build's unit and game tests alone, for everyday
# work (no slow, display, board service, browser or fuzz steps).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --quick ]; then
  scripts/install-deps.sh
  cmake --preset release >/dev/null
  cmake --build --preset release
  exec ctest --preset release -LE 'slow|display|board' -j2
fi
KESTROVA_WEB=1 scripts/install-deps.sh
for preset in release debug asan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --preset "$preset" -j2
done
echo "=== package ==="
scripts/package.sh --check
echo "=== web ==="
scripts/web.sh --test
scripts/fuzz.sh
