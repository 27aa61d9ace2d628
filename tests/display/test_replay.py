"""A run recorded in the real window, with fire on Z through settings.ini
(Space then starts nothing), holds Space, the game's own key, and plays back:
kestrova-sim playing the recording ends on the score the run saved and finds
it as its own check and end lines say, and watching it in the window, from
the start or from part-way in, says it is a replay and leaves the score file
byte for byte as it was."""

import json
import os
import shutil
import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, hold, hold_until,
                             read_game_window, run_test, simulated_page, wait_for_game_window, wait_for_image,
                             wait_for_window)

MASK = 0x5E  # every number in the score file is stored XOR this


def read_scores(path):
    if not os.path.exists(path):
        fail("no score file at " + path)
    with open(path, "rb") as f:
        return f.read()


def check_replay(kestrova, sim, folder):
    # The player's fire is on Z: the game, and so the recording, see Space.
    settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "kestrova", "settings.ini")
    os.makedirs(os.path.dirname(settings))
    with open(settings, "w") as f:
        f.write("[keyboard]\nfire = Z\n")
    title = simulated_page(sim, folder, 1)
    recording = os.path.join(folder.path, "run.krp")
    with Game(kestrova, ["--window", "--keyboard", "--data", folder.data, "--record", recording], folder) as game:
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        wait_for_image("the title page", read_game_window, title, PAGE_WIDTH)
        hold("space", seconds=1)
        if read_game_window() != title:
            fail("Space left the title with fire on Z")
        hold_until("z", "play to start", lambda: read_game_window() != title)
        hold("z", seconds=6)  # stay put and fire at the first fighters diving down the middle
        hold("Left", seconds=0.5)
        close_by_right_click(game)
        if "warning" in game.error_text():
            fail("the game warned: " + game.error_text())
    with open(recording) as f:
        header, *steps = f.read().splitlines()
    if header.split() != ["kestrova-replay", "3", "window", "keyboard"]:
        fail("unexpected replay header %s" % header)
    if not any(step.split()[1] == "space" for step in steps if step[:1].isdigit()):
        fail("Z held is no Space in the recording")
    score_file = os.path.join(folder.data, "score.dat")
    recorded = read_scores(score_file)
    best = int(recorded.split()[0]) ^ MASK
    if best <= 0:
        fail("the recorded run scored nothing; the test proves little")

    # No dialog: the recording holds the start choices. The window closes at the end.
    for seek in ([], ["--seek", "3"]):
        with Game(kestrova, ["--data", folder.data, "--replay", recording] + seek, folder) as game:
            wait_for_window(game, "the replay's window", lambda w: w.name == "Kestrova App (replay)")
            game.expect_clean_exit("the replay %s" % " ".join(seek), timeout=60)
        if read_scores(score_file) != recorded:
            fail("watching the replay %s changed the score file" % " ".join(seek))

    data = os.path.join(folder.path, "sim-data")
    shutil.copytree(folder.data, data, ignore=shutil.ignore_patterns("score.dat*"))
    frames = sum(int(step.split()[0]) for step in steps if step[:1].isdigit())
    out = subprocess.run([sim, "--input", recording, "--data", data, "--frames", str(frames), "--trace"],
                         stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode().splitlines()
    score = json.loads(out[-1])["player"]["score"]
    if score != best:
        fail("kestrova-sim ends the recording with score %d, the window with %d" % (score, best))
    verdict = subprocess.run([sim, "--data", data, "--verify", recording], stdout=subprocess.PIPE, timeout=60)
    if verdict.returncode != 0:
        fail("the recording does not check itself: %s" % verdict.stdout.decode())


if __name__ == "__main__":
    run_test(check_replay)
