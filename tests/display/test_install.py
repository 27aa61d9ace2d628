"""Without data at hand the game names every place it looked in. The installed game, moved to another prefix and started from an unrelated
folder, finds its data beside itself: its window shows the title page, a right
click closes it, and the score file is made in the player's data folder
(XDG_DATA_HOME, else ~/.local/share), private, and nowhere else. A home where
nothing can be made gets one message, and the game still plays and ends well."""

import os
import shutil
import stat
import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, Folder, close_by_right_click, crop, fail, read_root,
                             run, run_test, simulated_page, wait_for_game_window, wait_for_image)


def files_under(top):
    return sorted(os.path.relpath(os.path.join(root, name), top) for root, _, names in os.walk(top) for name in names)


def check_install(kestrova, sim, folder):
    page = simulated_page(sim, folder, 1)
    installed, moved = os.path.join(folder.path, "prefix"), os.path.join(folder.path, "moved")
    run(["cmake", "--install", os.path.dirname(kestrova), "--prefix", installed])
    shutil.move(installed, moved)
    game = os.path.join(moved, "bin", "kestrova")
    contents = files_under(moved)
    elsewhere = Folder(os.path.join(folder.path, "elsewhere"), None, folder.source)
    home, xdg = os.path.join(folder.path, "home"), os.path.join(folder.path, "xdg")
    for path in (elsewhere.path, home):
        os.mkdir(path)
    # Not installed, run from a folder without data/: the error names every place looked in.
    lost = subprocess.run([sim, "--frames", "1"], cwd=elsewhere.path, capture_output=True, text=True, timeout=30)
    places = ("data (under the current folder)", os.path.join(os.path.dirname(os.path.dirname(sim)), "share", "kestrova"))
    if lost.returncode != 1 or not all(place in lost.stderr for place in places):
        fail("without data, kestrova-sim exits %d saying %r" % (lost.returncode, lost.stderr))

    def play(env):
        """Until the title page shows, then a right click; what the game said."""
        with Game(game, ["--window", "--keyboard"], elsewhere, env) as running:
            wait_for_game_window(running, PAGE_WIDTH, PAGE_HEIGHT)
            wait_for_image("the installed game's title page", lambda: crop(read_root(), 0, 0, PAGE_WIDTH, PAGE_HEIGHT),
                           page, PAGE_WIDTH)
            close_by_right_click(running)
            return running.error_text()

    for env, scores in (({"HOME": home, "XDG_DATA_HOME": xdg}, os.path.join(xdg, "kestrova")),
                        ({"HOME": home, "XDG_DATA_HOME": ""}, os.path.join(home, ".local", "share", "kestrova"))):
        play(env)
        if stat.S_IMODE(os.stat(scores).st_mode) != 0o700 or not os.path.isfile(os.path.join(scores, "score.dat")):
            fail("no private %s/score.dat after a game with %s" % (scores, env))
        for top, want in ((moved, contents), (elsewhere.path, ["stderr.txt"])):
            if files_under(top) != want:
                fail("the game wrote into %s: %s" % (top, sorted(set(files_under(top)) - set(want))))

    # A home that is a file: nothing can be made under it.
    said = play({"HOME": game, "XDG_DATA_HOME": ""})
    if said.count("cannot save scores") != 1:
        fail("not one message about the scores: %r" % said)
    if files_under(moved) != contents:
        fail("the game wrote into its installation")


if __name__ == "__main__":
    run_test(check_install)
