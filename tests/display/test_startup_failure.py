"""A sprite sheet that cannot be decoded stops start-up with a message box;
the player dismisses it with Return and the game ends with a failure status
and the message on standard error."""

import os
import sys
import time

from display_support import Game, GameFolder, XServer, fail, find_window, run

MESSAGE_TITLE = "kestrova"


def main():
    kestrova, _, source_dir = sys.argv[1:4]
    with XServer(), GameFolder(source_dir) as folder:
        bad = os.path.join(folder.path, "BAD.bmp")
        with open(os.path.join(source_dir, "assets", "sheet.bmp"), "rb") as f:
            head = f.read(4000)  # the header and palette, then the pixels break off
        with open(bad, "wb") as f:
            f.write(head)

        with Game(kestrova, ["--window", "--keyboard", "--data", folder.data, "--sheet", bad], folder) as game:
            dismissed = 0
            deadline = time.monotonic() + 30
            while game.running():
                if time.monotonic() > deadline:
                    fail("the game still runs after %d message boxes: %s" % (dismissed, game.stderr()))
                box = find_window(name=MESSAGE_TITLE)
                if box:
                    run(["xdotool", "key", "--window", box.id, "Return"], check=False)
                    dismissed += 1
                time.sleep(0.2)
            status = game.wait_exit(timeout=5)
            stderr = game.stderr()

        if dismissed == 0:
            fail("no message box was shown")
        if status == 0:
            fail("exit status 0 after a failed start-up")
        if "ERROR BITMAP LOADING" not in stderr:
            fail("standard error lacks the message: " + stderr)
        if os.path.exists(os.path.join(folder.data, "score.dat")):
            fail("a failed start-up wrote the score file")
    print("ok")


if __name__ == "__main__":
    main()
