"""Faults and hostile clients: a worker stalled mid-run, a run every worker left,
the server killed or stopped mid-queue, and still every run is decided exactly
once; requests per address and runs in the queue are limited."""
import signal
import unittest

from board_fixture import Board, expert_run, firing_run, main, psql, reset_database, wait_for

# A worker's claim outlasts the longest a run may play; past it another worker takes the run.
LEASE = ["--time-cap", "8", "--lease", "9"]
TEN_MINUTES = 36000  # frames: about a second of a worker's time


def decisions():
    """Each run's status, verdicts written and attempts taken, by id."""
    return {int(i): (status, int(verdicts), int(attempts))
            for i, status, verdicts, attempts in psql("SELECT id, status, verdicts, attempts FROM runs")}


def leased():
    """The runs a worker holds now, with its attempt."""
    return {int(i): int(a) for i, a in psql("SELECT run_id, attempts FROM jobs WHERE lease_until > now()")}


def all_decided():
    return all(status != "queued" for status, _, _ in decisions().values())


class Workers(unittest.TestCase):
    def test_a_stalled_workers_run_is_taken_again_and_one_its_workers_all_left_is_rejected(self):
        reset_database()
        api = Board(*LEASE, workers=0)
        ids = api.queue([firing_run(TEN_MINUTES)[0]] * 3)
        # The last run as three workers left it, each stopped before its end.
        psql(f"UPDATE jobs SET attempts = 3, lease_until = now() - interval '1 second' WHERE run_id = {ids[-1]}")
        stalled = Board(*LEASE, workers=1, listen=False)
        wait_for(leased, "a worker to take a run")
        stalled.process.send_signal(signal.SIGSTOP)
        self.assertEqual(leased(), {ids[0]: 1}, "still held, now that it cannot move on")
        others = Board(*LEASE, workers=2, listen=False)
        wait_for(all_decided, "every run decided", timeout=90)
        self.assertEqual(others.stop(), 0)
        stalled.process.send_signal(signal.SIGCONT)
        wait_for(lambda: "another worker took it" in stalled.log(), "the stalled worker to finish its play")
        self.assertEqual(stalled.stop(), 0)
        # The stalled worker's run taken again once its lease ran out; each decided once.
        self.assertEqual(decisions(), {ids[0]: ("verified", 1, 2), ids[1]: ("verified", 1, 1),
                                       ids[2]: ("rejected", 1, 4)})
        self.assertEqual(api.run(ids[2])["reason"],
                         "not decided in 3 attempts: each worker that played it stopped before its end")
        self.assertEqual(api.stop(), 0)


class Restarts(unittest.TestCase):
    def test_the_server_stopped_and_killed_mid_queue_decides_every_run_once(self):
        reset_database()
        short, short_score = expert_run()
        long, long_score = firing_run(TEN_MINUTES)
        ids = []
        for stop in [signal.SIGTERM, signal.SIGKILL, None]:
            board = Board(*LEASE, workers=1)
            # The long run first keeps the worker busy while the others queue behind it.
            ids += board.queue([long] + [short] * 39)
            if stop is None:
                wait_for(all_decided, "every run decided", 120)
                self.assertEqual(board.stop(), 0)
                break
            self.assertEqual(board.stop(stop), 0 if stop == signal.SIGTERM else -signal.SIGKILL)
            self.assertGreater(int(psql("SELECT count(*) FROM jobs")[0][0]), 0, "stopped mid-queue")
        runs = decisions()
        self.assertEqual(sorted(runs), ids, "every run sent is kept")
        self.assertEqual({i: runs[i][:2] for i in ids}, {i: ("verified", 1) for i in ids})
        self.assertEqual({int(s) for (s,) in psql("SELECT DISTINCT score FROM runs")}, {short_score, long_score})


class Limits(unittest.TestCase):
    def test_requests_per_address_and_runs_in_the_queue_are_limited(self):
        reset_database()
        client = {"X-Forwarded-For": "198.51.100.1, 203.0.113.7"}
        proxied = Board("--rate-limit", "3", "--behind-proxy", workers=0)
        for _ in range(3):
            self.assertEqual(proxied.request("GET", "/api/board", headers=client)[0], 200)
        status, headers, body = proxied.request("GET", "/api/board", headers=client)
        self.assertEqual(status, 429, body)
        self.assertTrue(1 <= int(headers["Retry-After"]) <= 60)
        other = {"X-Forwarded-For": "198.51.100.1, 203.0.113.8"}  # the address the proxy added is the client
        self.assertEqual(proxied.request("GET", "/api/board", headers=other)[0], 200)
        self.assertEqual(proxied.stop(), 0)

        board = Board("--rate-limit", "1", "--queue-limit", "2", workers=0)
        for _ in range(3):  # no proxy: the header is not trusted, and loopback is never limited
            self.assertEqual(board.request("GET", "/api/board", headers=client)[0], 200)
        replay = expert_run()[0]
        board.queue([replay] * 2)
        status, headers, body = board.request("POST", "/api/runs", replay.encode())
        self.assertEqual((status, headers["Retry-After"]), (503, "60"), body)
        self.assertIn(b"the queue is full", body)
        worker = Board(workers=1, listen=False)
        wait_for(lambda: psql("SELECT count(*) FROM jobs") == [["0"]], "the worker to empty the queue")
        board.queue([replay])
        self.assertEqual(worker.stop(), 0)
        self.assertEqual(board.stop(), 0)


if __name__ == "__main__":
    main()
