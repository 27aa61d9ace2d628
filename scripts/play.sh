#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the game from
# the repository root (where it finds data/). Options go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kestrova
exec build/release/kestrova "$@"
