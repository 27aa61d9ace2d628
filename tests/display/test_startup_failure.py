"""A sprite sheet that cannot be decoded stops start-up with a message box;
the player dismisses it with Return and the game ends with a failure status
and the message on standard error."""

import os

from display_support import Game, fail, find_window, poll, run, run_test


def check_failed_start(kestrova, _, folder):
    bad = os.path.join(folder.path, "BAD.bmp")
    with open(os.path.join(folder.source, "assets", "sheet.bmp"), "rb") as f:
        head = f.read(4000)  # the header and palette, then the pixels break off
    with open(bad, "wb") as f:
        f.write(head)

    with Game(kestrova, ["--window", "--keyboard", "--data", folder.data, "--sheet", bad], folder) as game:
        dismissed = []

        def dismiss_boxes():
            box = find_window(lambda w: w.name == "kestrova")  # the message box's title
            if box:
                run(["xdotool", "key", "--window", box.id, "Return"], check=False)
                dismissed.append(box.id)
            return not game.running()
        poll("the game to end", dismiss_boxes, timeout=30, interval=0.2,
             explain=lambda: "%d message boxes dismissed: %s" % (len(dismissed), game.error_text()))
        status, stderr = game.wait_exit(timeout=5), game.error_text()

    if not dismissed:
        fail("no message box was shown")
    if status == 0:
        fail("exit status 0 after a failed start-up")
    if "ERROR BITMAP LOADING" not in stderr:
        fail("standard error lacks the message: " + stderr)
    if os.path.exists(os.path.join(folder.data, "score.dat")):
        fail("a failed start-up wrote the score file")


if __name__ == "__main__":
    run_test(check_failed_start)
