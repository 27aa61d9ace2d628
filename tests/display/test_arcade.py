"""An arcade run in the real window: the last ship lost brings the game-over
page, and a score that makes the difficulty's table takes three initials
from the keys, which the table file beside the scores then holds."""

import os
import time

from display_support import PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, hold, run_test, wait_for_game_window


def check_arcade(kestrova, sim, folder):
    # One ship only, and fighters released onto it until it is lost.
    path = os.path.join(folder.data, "difficulty.csv")
    with open(path) as f:
        rows = f.read().replace("normal,100,0,0,100,25,3,", "normal,100,0,0,100,25,1,")
    if ",25,1," not in rows:
        fail("difficulty.csv has no normal row with 3 lives to cut")
    with open(path, "w") as f:
        f.write(rows)
    with open(os.path.join(folder.data, "Stage1.csv"), "w") as f:
        f.write("FIGHTER_DIVE,304,420,66\n" * 40 + ",,,30000\nEOF,\n")
    table = os.path.join(folder.data, "arcade-normal.dat")
    entered = lambda: os.path.exists(table) and open(table).read()
    with Game(kestrova, ["--window", "--keyboard", "--rules", "arcade", "--data", folder.data], folder) as game:
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        # Space starts, fires at what comes, and once the game is over takes
        # an initial on each fresh press: pressed until the third is in.
        for _ in range(200):
            if entered() or not game.running():
                break
            hold("space", 0.3)
            time.sleep(0.1)
        text = entered()
        if not text or not text.endswith(" AAA\n") or int(text.split()[0]) <= 0:
            fail("the table holds %r after the initials: %s" % (text, game.error_text()))
        close_by_right_click(game)
    if os.path.exists(os.path.join(folder.data, "score.dat")):
        fail("an arcade run wrote the standard score file")


if __name__ == "__main__":
    run_test(check_arcade, screen="1024x768")
