"""The board takes the runs the game records and sends, plays them with the
game's core and lists those that end as they claim; a changed run is rejected
at the frame where it first differs; what is not a run is refused, and the
server goes on. A run no board took waits in the game's outbox and reaches
the board at a later start."""
import os
import pathlib
import re
import subprocess
import tempfile
import unittest

from board_fixture import (ARGS, DATA, SCRATCH, SCRIPTS, TIMEOUT, Board, changed_after_first_check, expert_run,
                           firing_run, main, psql, record, reset_database)


def send(address, outbox):
    """kestrova-send-run plays arcade_initials.krp and says yes to sending it: what it said."""
    done = subprocess.run([ARGS.sender, address, DATA, tempfile.mkdtemp(dir=SCRATCH), outbox, "yes",
                           os.path.join(SCRIPTS, "arcade_initials.krp")], capture_output=True, text=True,
                          timeout=TIMEOUT)
    assert done.returncode == 0, done.stderr
    return done.stderr


class Runs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        reset_database()
        cls.board = Board("--max-bytes", "65536", "--max-frames", "216000")

    @classmethod
    def tearDownClass(cls):
        assert cls.board.stop() == 0, cls.board.log()

    def test_recorded_runs_are_verified_with_the_score_the_game_showed_and_a_changed_one_rejected(self):
        normal, normal_score = record("stage_again.krp")
        # A player's name in the header; the checks do not cover it.
        named = normal.replace("rules arcade difficulty normal\n", "rules arcade difficulty normal\nplayer Ace Pilot\n")
        changed = changed_after_first_check(normal)  # frames 601-701
        normal_id, named_id, changed_id = self.board.queue([normal, named, changed])
        self.assertEqual(self.board.decided(normal_id)["score"], normal_score)
        self.assertEqual(self.board.decided(named_id)["score"], normal_score)
        self.assertEqual(self.board.request("GET", f"/api/runs/{named_id}/replay")[2].decode(), named)
        run = self.board.decided(changed_id)
        self.assertEqual((run["status"], run["score"], run["frames"]), ("rejected", None, 1200))
        self.assertRegex(run["reason"], r"^frame 1200: the state hash is [0-9a-f]{16}, not as recorded [0-9a-f]{16}$")

        _, board = self.board.json("GET", "/api/board?difficulty=normal&limit=1")
        self.assertEqual(board["entries"], [{"rank": 1, "name": "anonymous", "score": normal_score, "id": normal_id}],
                         "equal scores: the first sent ranks first")
        _, board = self.board.json("GET", "/api/board?difficulty=normal&limit=3")
        self.assertEqual([e["name"] for e in board["entries"]], ["anonymous", "Ace Pilot"], "the changed one unlisted")

    def test_what_is_not_a_run_is_refused_and_the_server_goes_on(self):
        # What the parser alone refuses is its own unit test's; these pass the server's limits and statuses.
        text = expert_run()[0]
        lines = text.splitlines(keepends=True)
        hour = "".join(lines[:3]) + "216001 none\nend 216001 title 0000000000000000 0000000000000000\n"
        cases = [
            (b"", 400, "empty"),
            (b"GET / HTTP/1.1\r\n\r\n", 400, "not a replay"),
            (pathlib.Path(SCRIPTS, "smoke.krp").read_bytes(), 400, "standard rules"),
            (hour.encode(), 400, "claims 216001 frames, more than the 216000 taken"),
            (text.encode() + b"#" * 65536, 413, "over the 65536 bytes taken"),
        ]
        for body, status, error in cases:
            with self.subTest(error=error):
                got, answer = self.board.post(body)
                self.assertEqual(got, status, answer)
                self.assertRegex(answer["error"], error)
        self.assertEqual(psql("SELECT count(*) FROM runs WHERE replay LIKE '%216001%' OR replay = ''"), [["0"]])
        self.board.queue([text])

    def test_a_run_the_game_sends_is_verified_under_its_initials_and_one_kept_goes_at_a_later_start(self):
        gone = Board(workers=0)
        nobody = f"http://127.0.0.1:{gone.port}"
        self.assertEqual(gone.stop(), 0)
        outbox = tempfile.mkdtemp(dir=SCRATCH)
        self.assertIn("is kept in " + outbox, send(nobody, outbox))
        # At the next start the kept run goes first, then the new one.
        said = send(f"http://127.0.0.1:{self.board.port}/", outbox)
        ids = [int(i) for i in re.findall(r"took the run: run (\d+), queued", said)]
        self.assertEqual((len(ids), os.listdir(outbox)), (2, []), said)
        score = expert_run()[1]  # as kestrova-sim showed it
        for run_id in ids:
            run = self.board.decided(run_id)
            replay = self.board.request("GET", f"/api/runs/{run_id}/replay")[2].decode()
            claimed = int(re.search(r"^end (\d+) ", replay, re.M).group(1))  # where the game over ended
            facts = (run["status"], run["score"], run["rules"], run["difficulty"], run["frames"], run["reason"])
            self.assertEqual(facts, ("verified", score, "arcade", "expert", claimed, None))
        _, board = self.board.json("GET", "/api/board?rules=arcade&difficulty=expert&limit=100")
        self.assertEqual([(e["name"], e["score"], e["id"]) for e in board["entries"] if e["id"] in ids],
                         [("BCA", score, run_id) for run_id in ids], "under the initials entered, the first sent first")
        self.assertEqual([e["rank"] for e in board["entries"]], list(range(1, len(board["entries"]) + 1)))

    def test_lookups_refuse_what_they_cannot_answer(self):
        for path, status in [("/api/runs/999999", 404), ("/api/runs/999999/replay", 404), ("/api/runs/x", 404),
                             ("/api/board?rules=standard", 400), ("/api/board?difficulty=insane", 400),
                             ("/api/board?limit=0", 400), ("/api/board?limit=101", 400),
                             ("/api/board?limit=5x", 400), ("/api/board?difficulty=normal'%20OR%201=1--", 400)]:
            with self.subTest(path=path):
                got, answer = self.board.json("GET", path)
                self.assertEqual(got, status)
                self.assertIn("error", answer)


class Schema(unittest.TestCase):
    def test_the_schema_is_made_and_kept_and_a_newer_one_is_left_alone(self):
        reset_database()
        first = Board(workers=0)
        (run_id,) = first.queue([firing_run(36000)[0]])  # ten minutes: far past a hundredth of a second
        self.assertEqual(first.stop(), 0)
        self.assertEqual(psql("SELECT version FROM board_schema"), [["1"]])
        # A start brings nothing up to date and drops nothing: the run kept is played, and cut at the time cap.
        again = Board("--time-cap", "0.01", workers=1)
        run = again.decided(run_id)
        self.assertEqual(again.stop(), 0)
        self.assertEqual(run["status"], "rejected")
        self.assertRegex(run["reason"], r"^cut at frame \d+: it plays longer than the time allowed$")
        self.assertLess(run["frames"], 36000)
        psql("UPDATE board_schema SET version = 2")
        with self.assertRaises(AssertionError) as refused:
            Board(workers=0)
        self.assertIn("the database's board schema is version 2, newer than this kestrova-board's 1",
                      str(refused.exception))


if __name__ == "__main__":
    main()
