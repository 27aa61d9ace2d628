"""What the board's tests share: a kestrova-board on a loopback port over the
throwaway PostgreSQL that pg_virtualenv made (its PG* variables), requests to
it with bounded waits, and runs recorded by kestrova-sim into a scratch folder.

Run as: pg_virtualenv python3 test_NAME.py --board BOARD --sim SIM --source DIR --sender SENDER
"""
import argparse
import atexit
import functools
import itertools
import json
import os
import pathlib
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

_parser = argparse.ArgumentParser()
_parser.add_argument("--board", required=True)
_parser.add_argument("--sim", required=True)
_parser.add_argument("--source", required=True)
_parser.add_argument("--sender", required=True)  # kestrova-send-run: the game's sending without a window
ARGS, UNITTEST_ARGV = _parser.parse_known_args()
DATA = os.path.join(ARGS.source, "data")
SCRIPTS = os.path.join(ARGS.source, "tests", "scripts")
SCRATCH = tempfile.mkdtemp(prefix="kestrova-board-test-")
atexit.register(shutil.rmtree, SCRATCH, True)
_numbers = itertools.count()  # for the scratch files
CONNINFO = " ".join(f"{key}={os.environ[var]}" for key, var in
                    [("host", "PGHOST"), ("port", "PGPORT"), ("user", "PGUSER"),
                     ("password", "PGPASSWORD"), ("dbname", "PGDATABASE")])
TIMEOUT = 60  # seconds any one wait may take before the test fails


def wait_for(predicate, what, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"gave up after {timeout} s waiting for {what}")


def psql(sql):
    """One query's rows as lists of text."""
    out = subprocess.run(["psql", "-X", "-At", "-F", "\t", "-c", sql], check=True, capture_output=True,
                         text=True, timeout=TIMEOUT).stdout
    return [line.split("\t") for line in out.splitlines()]


def reset_database():
    psql("DROP TABLE IF EXISTS jobs, runs, board_schema")


class Board:
    """A kestrova-board process; its standard error goes to a log in the scratch folder."""

    def __init__(self, *extra, workers=2, listen=True):
        self.log_path = os.path.join(SCRATCH, f"board-{next(_numbers)}.log")
        command = [ARGS.board, "--db", CONNINFO, "--data", DATA, "--workers", str(workers), *extra]
        if listen:
            command += ["--listen", "127.0.0.1:0"]
        with open(self.log_path, "w") as log:
            self.process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=log, text=True)
        atexit.register(self.process.kill)  # a test that fails midway leaves no server behind
        self.port = None
        if listen:
            ready, _, _ = select.select([self.process.stdout], [], [], TIMEOUT)
            line = self.process.stdout.readline() if ready else ""
            if "listening on" not in line:
                self.stop(signal.SIGKILL)
                raise AssertionError(f"kestrova-board did not start: {line!r}\n{self.log()}")
            self.port = int(line.rsplit(":", 1)[1])

    def log(self):
        return pathlib.Path(self.log_path).read_text()

    def request(self, method, path, body=None, headers=None):
        """(status, headers, body bytes); the server's refusals are answers too."""
        req = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", data=body, method=method,
                                     headers=headers or {})
        try:
            with urllib.request.urlopen(req, timeout=TIMEOUT) as res:
                return res.status, res.headers, res.read()
        except urllib.error.HTTPError as e:
            return e.code, e.headers, e.read()

    def json(self, method, path, body=None):
        status, _, data = self.request(method, path, body)
        return status, json.loads(data)

    def post(self, replay):
        return self.json("POST", "/api/runs", replay if isinstance(replay, bytes) else replay.encode())

    def queue(self, replays):
        """The ids the replays are queued under; a refusal fails the test."""
        ids = []
        for replay in replays:
            status, answer = self.post(replay)
            if (status, answer.get("status")) != (202, "queued"):
                raise AssertionError(f"refused with {status}: {answer}")
            ids.append(answer["id"])
        return ids

    def run(self, run_id):
        return self.json("GET", f"/api/runs/{run_id}")[1]

    def decided(self, run_id):
        """The run once a worker has decided it."""
        def probe():
            run = self.run(run_id)
            return run if run["status"] != "queued" else None
        return wait_for(probe, f"run {run_id} to be decided")

    def stop(self, how=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(how)
        try:
            return self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError("kestrova-board did not stop on " + signal.Signals(how).name)
        finally:
            self.process.stdout.close()


def frames_of(text):
    """The frames an input script or replay plays."""
    return sum(int(line.split()[0]) for line in text.splitlines() if line[:1].isdigit())


@functools.cache
def record(script, *rules):
    """`script` (a committed one by name) played by kestrova-sim and recorded as
    the game records arcade runs: the replay's text and the score it showed."""
    script = os.path.join(SCRIPTS, script)
    frames = frames_of(pathlib.Path(script).read_text())
    path = os.path.join(SCRATCH, f"recorded-{next(_numbers)}.krp")
    out = subprocess.run([ARGS.sim, "--data", DATA, "--input", script, "--frames", str(frames),
                          "--record", path, "--last", "--trace", "--rules", "arcade", *rules],
                         check=True, capture_output=True, text=True, timeout=TIMEOUT).stdout
    return pathlib.Path(path).read_text(), json.loads(out.splitlines()[-1])["run"]["score"]


def expert_run():
    """The committed arcade run, 6541 frames at expert, entering the initials BCA."""
    return record("arcade_initials.krp", "--difficulty", "expert")


def firing_run(frames):
    """That many frames of play, firing: the ship lost, the game over, play again."""
    script = os.path.join(SCRATCH, f"firing-{frames}.krp")
    with open(script, "w") as f:
        f.write(f"{frames} space\n")
    return record(script)


def changed_after_first_check(replay):
    """The replay with the keys of the input line after its first check changed."""
    lines = replay.split("\n")
    at = next(i for i, line in enumerate(lines) if line.startswith("check ")) + 1
    count, keys = lines[at].split()
    lines[at] = f"{count} {'left' if keys == 'none' else 'none'}"
    return "\n".join(lines)


def main():
    import unittest
    unittest.main(argv=[sys.argv[0], *UNITTEST_ARGV], verbosity=2)
