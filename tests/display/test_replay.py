"""A run recorded in the real window plays back the same: the replay in the
real window writes the very score file the recorded run wrote, watched from
the start or from part-way in, and kestrova-sim playing the recording ends on
that same score."""

import json
import os
import shutil
import subprocess
import sys

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, GameFolder, XServer, fail, hold, hold_until,
                             read_game_window, right_click_game_window, simulated_page, wait_for_game_window,
                             wait_for_image)

MASK = 0x5E


def scores(path):
    if not os.path.exists(path):
        fail("no score file at " + path)
    with open(path, "rb") as f:
        return f.read()


def record(kestrova, folder, recording, title):
    with Game(kestrova, ["--window", "--keyboard", "--data", folder.data, "--record", recording], folder) as game:
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        wait_for_image("the title page", read_game_window, title, PAGE_WIDTH)
        hold_until("space", "play to start", lambda: read_game_window() != title)
        hold("space", seconds=6)  # stay put and fire at the first fighters diving down the middle
        hold("Left", seconds=0.5)
        right_click_game_window()
        if game.wait_exit(timeout=10) != 0:
            fail("the recorded run did not exit cleanly: " + game.stderr())


def replay(kestrova, folder, recording, seek=[]):
    with Game(kestrova, ["--data", folder.data, "--replay", recording] + seek, folder) as game:
        # No dialog: the recording holds the start choices. The window closes at the end.
        if game.wait_exit(timeout=60) != 0:
            fail("the replay did not exit cleanly: " + game.stderr())


def main():
    kestrova, sim, source_dir = sys.argv[1:4]
    with XServer(), GameFolder(source_dir) as folder:
        recording = os.path.join(folder.path, "run.krp")
        record(kestrova, folder, recording, simulated_page(sim, folder, 1))
        with open(recording) as f:
            header = f.readline().split()
        if header != ["kestrova-replay", "1", "window", "keyboard"]:
            fail("unexpected replay header %s" % header)
        score_file = os.path.join(folder.data, "score.dat")
        recorded = scores(score_file)
        best = int(recorded.split()[0]) ^ MASK
        if best <= 0:
            fail("the recorded run scored nothing; the test proves little")

        for seek in ([], ["--seek", "3"]):
            os.remove(score_file)
            replay(kestrova, folder, recording, seek)
            if scores(score_file) != recorded:
                fail("the replay %s ended with other scores than the recorded run" % " ".join(seek))

        data = os.path.join(folder.path, "sim-data")
        shutil.copytree(folder.data, data, ignore=shutil.ignore_patterns("score.dat*"))
        with open(recording) as f:
            frames = sum(int(line.split()[0]) for line in f.readlines()[1:] if line.strip())
        out = subprocess.run([sim, "--input", recording, "--data", data, "--frames", str(frames), "--trace"],
                             stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode().splitlines()
        final = json.loads(out[-1])
        if final["player"]["score"] != best:
            fail("kestrova-sim ends the recording with score %d, the window with %d" % (final["player"]["score"], best))
    print("ok")


if __name__ == "__main__":
    main()
