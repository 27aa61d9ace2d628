#!/usr/bin/env python3
"""Runs verified per second, and per second of one core, by kestrova-board
beside bare `kestrova-sim --verify` of the same replays.

    bench/board_throughput.py [--runs N] [--workers N] [--clients N]
        [--board build/release/kestrova-board] [--sim build/release/kestrova-sim]
        [--sender build/release/kestrova-send-run]

It makes its own throwaway PostgreSQL (pg_virtualenv) and records the run it
sends: the committed stage_again script under the arcade rules (11 582 frames,
the stage played through, lost on the way back). Core seconds are user and
system time: the server's own, and with the database's processes beside it.
"""
import argparse
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
if "PGHOST" not in os.environ:
    os.execvp("pg_virtualenv", ["pg_virtualenv", sys.executable, *sys.argv])
parser = argparse.ArgumentParser()
parser.add_argument("--runs", type=int, default=400)
parser.add_argument("--workers", type=int, default=os.cpu_count())
parser.add_argument("--clients", type=int, default=8)
parser.add_argument("--board", default=os.path.join(SOURCE, "build/release/kestrova-board"))
parser.add_argument("--sim", default=os.path.join(SOURCE, "build/release/kestrova-sim"))
parser.add_argument("--sender", default=os.path.join(SOURCE, "build/release/kestrova-send-run"))
args = parser.parse_args()
sys.argv[1:] = ["--board", args.board, "--sim", args.sim, "--source", SOURCE, "--sender", args.sender]
sys.path.insert(0, os.path.join(SOURCE, "tests", "board"))
import board_fixture as fx  # noqa: E402  (reads sys.argv as the tests do)

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def database_cpu():
    """The cluster's processes: the postmaster and its children."""
    data = fx.psql("SHOW data_directory")[0][0]
    with open(os.path.join(data, "postmaster.pid")) as f:
        master = int(f.readline())
    total = cpu_seconds(master)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                if int(f.read().rsplit(")", 1)[1].split()[1]) == master:
                    total += cpu_seconds(pid)
        except (OSError, ValueError):
            pass  # gone meanwhile
    return total


def bare(text, runs):
    """kestrova-sim --verify over `runs` copies: wall and core seconds."""
    folder = tempfile.mkdtemp(prefix="kestrova-bench-")
    try:
        paths = []
        for i in range(runs):
            paths.append(os.path.join(folder, f"run{i}.krp"))
            with open(paths[-1], "w") as f:
                f.write(text)
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        subprocess.run([args.sim, "--data", fx.DATA, "--verify", *paths], check=True, stdout=subprocess.DEVNULL)
        wall = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    finally:
        shutil.rmtree(folder)


def board(text, runs):
    """The same runs sent to a board: wall and core seconds, the board's and the database's."""
    fx.reset_database()
    server = fx.Board("--rate-limit", "0", "--queue-limit", str(runs), workers=args.workers)
    own, db = cpu_seconds(server.process.pid), database_cpu()
    start = time.monotonic()
    import concurrent.futures
    with concurrent.futures.ThreadPoolExecutor(args.clients) as clients:
        statuses = set(clients.map(lambda _: server.post(text)[0], range(runs)))
    assert statuses == {202}, statuses
    fx.wait_for(lambda: fx.psql("SELECT count(*) FROM jobs") == [["0"]], "the queue to empty", timeout=3600)
    wall = time.monotonic() - start
    own, db = cpu_seconds(server.process.pid) - own, database_cpu() - db
    verified = fx.psql("SELECT count(*) FROM runs WHERE status = 'verified' AND verdicts = 1")[0][0]
    assert int(verified) == runs, verified
    server.stop()
    return wall, own, db


replay, _ = fx.record("stage_again.krp")
bare_wall, bare_cpu = bare(replay, args.runs)
board_wall, board_cpu, db_cpu = board(replay, args.runs)
print(f"{args.runs} runs of {fx.frames_of(replay)} frames; {os.cpu_count()} cores, "
      f"{args.workers} workers, {args.clients} clients")
print(f"{'':34}{'runs/s':>10}{'runs/core-s':>13}")
print(f"{'kestrova-sim --verify':34}{args.runs / bare_wall:10.1f}{args.runs / bare_cpu:13.1f}")
print(f"{'kestrova-board (its own cores)':34}{args.runs / board_wall:10.1f}{args.runs / board_cpu:13.1f}")
print(f"{'kestrova-board and PostgreSQL':34}{'':10}{args.runs / (board_cpu + db_cpu):13.1f}")
