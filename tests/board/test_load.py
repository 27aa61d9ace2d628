"""Load: runs sent by 8 clients at once to 4 workers are all kept and each
decided exactly once, as its replay deserves. How fast is the benchmark's
business (bench/board_throughput.py); enough runs here that every worker
and client meets the others, few enough for the sanitizers' build."""
import concurrent.futures
import unittest

from board_fixture import Board, changed_after_first_check, expert_run, main, psql, record, reset_database, wait_for

RUNS = 120
CLIENTS = 8


class Load(unittest.TestCase):
    def test_runs_from_eight_clients_at_once_are_each_decided_once(self):
        reset_database()
        expert, expert_score = expert_run()
        normal, normal_score = record("stage_again.krp")
        replays = {"expert": expert, "normal": normal, "changed": changed_after_first_check(normal)}
        board = Board("--queue-limit", str(RUNS), workers=4)
        kinds = list(replays) * (RUNS // len(replays))
        with concurrent.futures.ThreadPoolExecutor(CLIENTS) as clients:
            sent = list(zip(kinds, clients.map(board.post, [replays[kind] for kind in kinds])))
        self.assertEqual({status for _, (status, _) in sent}, {202}, [a for _, (s, a) in sent if s != 202][:3])
        ids = {answer["id"]: kind for kind, (_, answer) in sent}
        self.assertEqual(len(ids), RUNS, "an id for each")
        wait_for(lambda: psql("SELECT count(*) FROM jobs") == [["0"]], "the queue to empty", timeout=240)
        self.assertEqual(board.stop(), 0)

        rows = psql("SELECT id, status, verdicts, coalesce(score, -1) FROM runs")
        self.assertEqual(sorted(int(r[0]) for r in rows), sorted(ids), "none lost, none made up")
        expected = {"expert": ("verified", "1", str(expert_score)), "normal": ("verified", "1", str(normal_score)),
                    "changed": ("rejected", "1", "-1")}
        wrong = [(r, ids[int(r[0])]) for r in rows if tuple(r[1:]) != expected[ids[int(r[0])]]]
        self.assertEqual(wrong, [])


if __name__ == "__main__":
    main()
