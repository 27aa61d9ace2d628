#!/usr/bin/env bash
# Installs what is missing, builds the browser version (build/web) and serves
# it on http://127.0.0.1:PORT/ (8000 unless given); open that address in a
# browser. With --test it runs the browser tests instead of serving (they need
# the release build's kestrova-sim and kestrova-board).
set -euo pipefail
cd "$(dirname "$0")/.."
KESTROVA_WEB=1 scripts/install-deps.sh
# Debian's emscripten finds its JavaScript tools only there.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake --preset web >/dev/null
cmake --build --preset web

if [ "${1:-}" = --test ]; then
  npm ci --prefix tests/web --no-audit --no-fund --silent
  # The board's page too (the release build's kestrova-board), on a database of its own.
  exec pg_virtualenv -t node tests/web/browser_test.mjs --web build/web --sim build/release/kestrova-sim \
    --board build/release/kestrova-board
fi
port="${1:-8000}"
echo "Kestrova: open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
