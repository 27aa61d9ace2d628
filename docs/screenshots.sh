#!/bin/sh
# Makes the README's screenshots from a headless run of the whole stage, played
# by the replay tests/replays/full_stage.krp:
#
#   docs/screenshots.sh [KESTROVA_SIM]
#
# KESTROVA_SIM is the simulator to run, build/release/kestrova-sim by default
# (cmake --build --preset release). It writes docs/title.png, docs/play.png (a
# busy moment over the base), docs/carrier.png and docs/clear.png. The run is
# deterministic and leaves any score file out, so the pictures come out the
# same every time.
set -eu
cd "$(dirname "$0")/.."
sim=${1:-build/release/kestrova-sim}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp data/data.csv data/Stage1.csv data/char.csv data/map.dat "$data"
"$sim" --frames 10900 --input tests/replays/full_stage.krp --data "$data" \
  --png 30:docs/title.png \
  --png 7638:docs/play.png \
  --png 8690:docs/carrier.png \
  --png 10900:docs/clear.png >/dev/null
