#!/usr/bin/env bash
# Runs the game paced in a real window under Xvfb and prints, per run, the CPU
# share of one core it used over SECONDS after a short warm-up, its
# --frame-stats line (the whole run) and the machine's load average.
# Usage: scripts/measure-pacing.sh [SECONDS [RUNS [GAME]]]   (20 s, 3 runs,
# build/release/kestrova). Other work on the machine shows in the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
runs=${2:-3}
game=${3:-build/release/kestrova}
warmup=2  # start-up is not pacing
ticks=$(getconf CLK_TCK)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

name=$(basename "$game" | cut -c1-15)  # as the kernel names the process

cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || { echo "the game ended early:" >&2; cat "$log" >&2; exit 1; }
}

for run in $(seq "$runs"); do
  # Each run its own display number: xvfb-run -a races with a display just closed.
  SDL_AUDIODRIVER=dummy xvfb-run -n $((200 + RANDOM % 5000)) -s "-screen 0 1024x768x24 -noreset" \
    "$game" --window --keyboard --frame-stats 2>"$log" &
  wrapper=$!
  pid=""
  for _ in $(seq 100); do
    pid=$(pgrep -P "$wrapper" -x "$name" || true)
    [[ -n $pid ]] && break
    sleep 0.1
  done
  [[ -n $pid ]] || { echo "run $run: the game did not start" >&2; cat "$log" >&2; exit 1; }
  sleep "$warmup"
  start_ticks=$(cpu_ticks "$pid")
  start_ns=$(date +%s%N)
  load_start=$(cut -d' ' -f1 /proc/loadavg)
  sleep "$seconds"
  end_ticks=$(cpu_ticks "$pid")
  end_ns=$(date +%s%N)
  load_end=$(cut -d' ' -f1 /proc/loadavg)
  kill -TERM "$pid"  # SDL turns it into a quit: the game closes its window and reports
  wait "$wrapper" || true
  awk -v t=$((end_ticks - start_ticks)) -v hz="$ticks" -v ns=$((end_ns - start_ns)) \
    'BEGIN { printf "cpu %.3f of a core over %.1f s; ", t / hz / (ns / 1e9), ns / 1e9 }'
  echo "load average $load_start -> $load_end; $(grep 'frame stats' "$log" || echo 'no frame stats')"
done
