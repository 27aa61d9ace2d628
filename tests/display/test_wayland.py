"""On Wayland without a GPU (Weston's X11 backend inside the test's Xvfb,
which gives a seat; Mesa on the CPU) the game shows its title page pixel for
pixel and ends cleanly when asked: the renderer chosen for a CPU rasterizer
wants a window buffer Wayland lacks, and the game falls back to one that works."""

import os
import shutil
import signal
import subprocess
import sys

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, fail, find_window, poll, read_window, run_test,
                             simulated_title)


def shows(width, rgb, page):
    """Whether the page is anywhere in the image (rows of `width`), exactly:
    where its middle row is, it is checked whole."""
    row = page[3 * PAGE_WIDTH * (PAGE_HEIGHT // 2):3 * PAGE_WIDTH * (PAGE_HEIGHT // 2 + 1)]
    at = rgb.find(row)
    while at >= 0:
        x, y = at // 3 % width, at // 3 // width - PAGE_HEIGHT // 2
        if at % 3 == 0 and x + PAGE_WIDTH <= width and y >= 0 and page == b"".join(
                rgb[3 * ((y + r) * width + x):3 * ((y + r) * width + x + PAGE_WIDTH)] for r in range(PAGE_HEIGHT)):
            return True
        at = rgb.find(row, at + 1)
    return False


def check_wayland(kestrova, sim, folder):
    if shutil.which("weston") is None:
        print("SKIP: weston not installed (Debian: weston)")
        sys.exit(77)
    runtime, log = os.path.join(folder.path, "runtime"), os.path.join(folder.path, "weston.txt")
    os.mkdir(runtime, 0o700)
    with open(log, "wb") as out:
        weston = subprocess.Popen(["weston", "--backend=x11-backend.so", "--socket=kestrova", "--width=1000",
                                   "--height=700"], env={**os.environ, "XDG_RUNTIME_DIR": runtime}, stdout=out,
                                  stderr=subprocess.STDOUT, start_new_session=True)
    try:
        # The shell comes last: a client connecting before it may find no seat.
        poll("Weston to launch its shell", lambda: b"launching" in open(log, "rb").read(), 20)
        output = poll("Weston's window", lambda: find_window(lambda w: w.instance == "weston-1"), 10)
        title = simulated_title(sim, folder)
        env = {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "kestrova", "SDL_VIDEODRIVER": "wayland"}
        with Game(kestrova, ["--window", "--keyboard", "--frame-stats", "--data", folder.data], folder, env) as game:
            def shown():
                if not game.running():
                    fail("the game ended (status %d): %s" % (game.returncode, game.error_text()))
                image = read_window(output.id)
                return image is not None and shows(output.width, image, title)
            poll("the title page in Weston's output", shown, 30, interval=0.2, explain=game.error_text)
            game.send_signal(signal.SIGTERM)
            game.expect_clean_exit("SIGTERM")
            if "frame stats:" not in game.error_text() or "ERROR" in game.error_text():
                fail("the game said: " + game.error_text())
    finally:
        os.killpg(weston.pid, signal.SIGTERM)
        weston.wait(timeout=10)


if __name__ == "__main__":
    run_test(check_wayland, screen="1024x768")
