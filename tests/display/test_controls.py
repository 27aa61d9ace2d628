"""The player's keys: with fire on Z in settings.ini, Space no longer starts
play and Z does; the recording of a run with Z held holds Space, the game's
own key, and plays back as it was played."""

import os
import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, hold, hold_until,
                             read_game_window, run_test, simulated_page, wait_for_game_window, wait_for_image)


def check_controls(kestrova, sim, folder):
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
        hold("z", seconds=1)
        close_by_right_click(game)
        if "warning" in game.error_text():
            fail("the settings file gave warnings: " + game.error_text())
    with open(recording) as f:
        runs = [line.split() for line in f.read().splitlines()[2:] if line[:1].isdigit()]
    held = sum(int(run[0]) for run in runs if run[1] == "space")
    if held == 0 or any(run[1] not in ("none", "space") for run in runs):
        fail("the recording holds Space for %d frames, and %s" % (held, sorted({run[1] for run in runs})))
    verdict = subprocess.run([sim, "--data", folder.data, "--verify", recording], stdout=subprocess.PIPE, timeout=60)
    if verdict.returncode != 0:
        fail("the recording does not play back as played: %s" % verdict.stdout.decode())


if __name__ == "__main__":
    run_test(check_controls)
