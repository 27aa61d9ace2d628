"""The game sends the run the player chose to send, and the board verifies it
under the initials entered; a run the board could not take waits in the
outbox and reaches it at a later start."""
import os
import re
import subprocess
import tempfile
import unittest

from board_fixture import ARGS, DATA, SCRATCH, SCRIPTS, TIMEOUT, Board, main, reset_database


def send(board_address, outbox, answer):
    """kestrova-send-run plays arcade_initials.krp and answers the question: what it said."""
    scores = tempfile.mkdtemp(dir=SCRATCH)
    done = subprocess.run([ARGS.sender, board_address, DATA, scores, outbox, answer,
                           os.path.join(SCRIPTS, "arcade_initials.krp")],
                          capture_output=True, text=True, timeout=TIMEOUT)
    assert done.returncode == 0, done.stderr
    return done.stderr


class Sending(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        reset_database()
        cls.board = Board()
        cls.address = f"http://127.0.0.1:{cls.board.port}"

    @classmethod
    def tearDownClass(cls):
        assert cls.board.stop() == 0, cls.board.log()

    def assert_verified_as_bca(self, said):
        ids = re.findall(r"took the run: run (\d+), queued", said)
        self.assertEqual(len(ids), 1, said)
        run = self.board.decided(int(ids[0]))
        self.assertEqual((run["status"], run["score"], run["difficulty"]), ("verified", 5290, "expert"), run)
        _, board = self.board.json("GET", "/api/board?difficulty=expert&limit=100")
        self.assertIn(("BCA", 5290, run["id"]), [(e["name"], e["score"], e["id"]) for e in board["entries"]])

    def test_a_run_the_player_sends_is_verified_under_its_initials(self):
        outbox = tempfile.mkdtemp(dir=SCRATCH)
        self.assert_verified_as_bca(send(self.address + "/", outbox, "yes"))
        self.assertEqual(os.listdir(outbox), [])

    def test_a_run_no_board_took_is_sent_at_a_later_start_and_no_sends_nothing(self):
        outbox = tempfile.mkdtemp(dir=SCRATCH)
        nobody = Board(workers=0)
        gone = f"http://127.0.0.1:{nobody.port}"
        self.assertEqual(nobody.stop(), 0)
        said = send(gone, outbox, "yes")
        self.assertIn("is kept in " + outbox, said)
        self.assertEqual(len(os.listdir(outbox)), 1)
        before = self.board.json("GET", "/api/board?difficulty=expert&limit=100")[1]["entries"]
        # Answered no, the new run stays unsent; the kept one goes.
        self.assert_verified_as_bca(send(self.address, outbox, "no"))
        self.assertEqual(os.listdir(outbox), [])
        after = self.board.json("GET", "/api/board?difficulty=expert&limit=100")[1]["entries"]
        self.assertEqual(len(after), len(before) + 1)


if __name__ == "__main__":
    main()
