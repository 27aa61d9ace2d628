#!/bin/sh
# Makes the README's screenshots from headless runs of the committed replays:
# stage 1 played by tests/replays/full_stage.krp, stage 2 by the arcade run
# through both stages, tests/replays/full_run.krp:
#
#   docs/screenshots.sh [KESTROVA_SIM]
#
# KESTROVA_SIM is the simulator to run, build/release/kestrova-sim by default
# (cmake --build --preset release). It writes docs/title.png, docs/play.png (a
# busy moment over the base), docs/carrier.png and docs/clear.png, and for
# stage 2 docs/volcano.png (the basalt and its guns), docs/barge.png,
# docs/fortress.png and docs/battered.png (the fortress's later phase). The
# runs are deterministic and leave any score file and arcade table out, so the
# pictures come out the same every time.
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
# Stage 2's play begins at frame 10 993 of the run, after stage 1's clear.
cp data/difficulty.csv "$data"
cp -R data/stage2 "$data/stage2"
"$sim" --frames 20300 --input tests/replays/full_run.krp --data "$data" \
  --png 13600:docs/volcano.png \
  --png 15100:docs/barge.png \
  --png 19400:docs/fortress.png \
  --png 20300:docs/battered.png >/dev/null
