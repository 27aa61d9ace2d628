"""A run recorded in the real window, heard through SDL's disk driver, with
fire on Z through settings.ini (Space then starts nothing): the music plays
exactly while nothing sounds over it, a left click starts play with its
sound, and the volley sounds on top once Z is held, which the recording holds
as Space, the game's own key. kestrova-sim playing the recording ends as its
own check lines say; watched in the window, the run says it is a replay and
the window closes at its end."""

import os
import shutil

from display_support import (AT_ORIGIN, PAGE_HEIGHT, PAGE_WIDTH, RATE, Game, close_by_right_click, fail, first_sound,
                             game_window, hold, poll, read_window, run, run_test, simulated_title,
                             wait_for_game_window, wait_for_image, wait_for_window, wave_samples)


def check_sound(folder, samples, clicked, fired):
    """What the recorded run played, from the music's first sound on; clicked
    and fired are how many samples had played when play and fire began."""
    music, volley, start = (wave_samples(folder, name) for name in ("vesk.wav", "sfx/volley.wav", "sfx/start.wav"))
    # The output's first sound is the music's first sound: what comes before is silence either way.
    first, opening = first_sound(samples), first_sound(music)
    samples, clicked, fired = samples[first:], clicked - first, fired - first

    def at(i):
        return music[(i + opening) % len(music)]
    for i in [*range(clicked), *range(clicked + len(start) + RATE, fired)]:
        if samples[i] != at(i):
            fail("sample %d is %d, not the music's %d" % (i, samples[i], at(i)))
    onset = next((i for i in range(fired, len(samples)) if samples[i] != at(i)), None)
    if onset is None:
        fail("holding fire added no sound")
    lead = first_sound(volley)
    for k in range(lead, len(volley)):
        i = onset - lead + k
        if abs(at(i) + volley[k]) > 32767:
            break  # from here the limiter shapes the sum
        if samples[i] - at(i) != volley[k]:
            fail("sample %d of the volley's sound is %d over the music, not %d" % (k, samples[i] - at(i), volley[k]))


def check_replay(kestrova, sim, folder):
    # The player's fire is on Z: the game, and so the recording, see Space.
    settings = os.path.join(os.environ["XDG_CONFIG_HOME"], "kestrova", "settings.ini")
    os.makedirs(os.path.dirname(settings))
    with open(settings, "w") as f:
        f.write("[keyboard]\nfire = Z\n")
    title = simulated_title(sim, folder)
    recording = os.path.join(folder.path, "run.krp")
    args = ["--window", "--keyboard", "--data", folder.data, "--record", recording]
    with Game(kestrova, args, folder, sound=True) as game:
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        wait_for_image("the title page", lambda: read_window(rect=AT_ORIGIN), title, PAGE_WIDTH)
        hold("space", seconds=1)
        if read_window(rect=AT_ORIGIN) != title:
            fail("Space left the title with fire on Z")
        clicked = game.wait_played(RATE)
        run(["xdotool", "mousemove", "--window", game_window().id, "100", "100", "click", "1"])
        poll("play to start", lambda: read_window(rect=AT_ORIGIN) != title, timeout=15)
        # The start sound and the limiter's recovery after it are over well within two seconds.
        fired = game.wait_played(clicked + 2 * RATE)
        hold("z", seconds=6)  # stay put and fire at the first fighters diving down the middle
        hold("Left", seconds=0.5)
        close_by_right_click(game)
        if "warning" in game.error_text():
            fail("the game warned: " + game.error_text())
    check_sound(folder, game.samples(), clicked, fired)
    with open(recording) as f:
        if not any(step.split()[1] == "space" for step in f if step[:1].isdigit()):
            fail("Z held is no Space in the recording")

    # No dialog: the recording holds the start choices. (That watching saves nothing is the game's own test.)
    with Game(kestrova, ["--data", folder.data, "--replay", recording], folder) as game:
        wait_for_window(game, "the replay's window", lambda w: w.name == "Kestrova App (replay)")
        game.expect_clean_exit("the replay", timeout=60)

    data = os.path.join(folder.path, "sim-data")
    shutil.copytree(folder.data, data, ignore=shutil.ignore_patterns("score.dat*"))
    run([sim, "--data", data, "--verify", recording])  # its verdict names the first line that differs


if __name__ == "__main__":
    run_test(check_replay, screen="1024x768")
