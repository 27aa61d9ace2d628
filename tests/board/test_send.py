"""The game sends the run the player chose to send, and the board verifies it
under the initials entered; a run no board took waits in the outbox and
reaches the board at a later start."""
import os
import re
import subprocess
import tempfile
import unittest

from board_fixture import ARGS, DATA, SCRATCH, SCRIPTS, TIMEOUT, Board, main, reset_database


def send(address, outbox, answer):
    """kestrova-send-run plays arcade_initials.krp and answers the game over's question: what it said."""
    done = subprocess.run([ARGS.sender, address, DATA, tempfile.mkdtemp(dir=SCRATCH), outbox, answer,
                           os.path.join(SCRIPTS, "arcade_initials.krp")], capture_output=True, text=True,
                          timeout=TIMEOUT)
    assert done.returncode == 0, done.stderr
    return done.stderr


class Sending(unittest.TestCase):
    def test_a_sent_run_is_verified_under_its_initials_and_one_kept_goes_at_a_later_start(self):
        reset_database()
        gone = Board(workers=0)
        nobody = f"http://127.0.0.1:{gone.port}"
        self.assertEqual(gone.stop(), 0)
        board = Board()
        try:
            outbox = tempfile.mkdtemp(dir=SCRATCH)
            self.assertIn("is kept in " + outbox, send(nobody, outbox, "yes"))
            self.assertEqual(len(os.listdir(outbox)), 1)
            # Answered no, this start's run stays unsent; the kept one goes, then the one answered yes.
            said = send(f"http://127.0.0.1:{board.port}/", outbox, "no") + \
                send(f"http://127.0.0.1:{board.port}", outbox, "yes")
            ids = [int(i) for i in re.findall(r"took the run: run (\d+), queued", said)]
            self.assertEqual((len(ids), os.listdir(outbox)), (2, []), said)
            for run_id in ids:
                run = board.decided(run_id)
                self.assertEqual((run["status"], run["score"], run["difficulty"]), ("verified", 5290, "expert"), run)
            _, listed = board.json("GET", "/api/board?difficulty=expert&limit=100")
            self.assertEqual([(e["name"], e["score"], e["id"]) for e in listed["entries"]],
                             [("BCA", 5290, run_id) for run_id in ids])
        finally:
            self.assertEqual(board.stop(), 0, board.log())


if __name__ == "__main__":
    main()
