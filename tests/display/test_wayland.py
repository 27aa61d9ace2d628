"""On a Wayland desktop without a GPU the game starts and plays: under Weston
(its X11 backend inside the test's Xvfb gives a seat; Mesa draws on the CPU)
the title page shows pixel for pixel and the game ends cleanly when asked.
The renderer chosen for a CPU rasterizer wants a window buffer that Wayland
does not have, and the game falls back to one that works."""

import os
import shutil
import signal
import subprocess
import sys

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, crop, fail, find_window, poll, read_window, run_test,
                             simulated_page)

SKIP = 77


def find_page(image, page):
    """Whether the page shows anywhere in the image, exactly. The page's
    busiest row is looked for first; each place it is found is checked whole."""
    width, _, rgb = image
    stride = 3 * PAGE_WIDTH
    rows = [page[y * stride:(y + 1) * stride] for y in range(PAGE_HEIGHT)]
    row = max(range(PAGE_HEIGHT), key=lambda y: len({rows[y][i:i + 3] for i in range(0, stride, 3)}))
    at = rgb.find(rows[row])
    while at >= 0:
        x, y = at // 3 % width, at // 3 // width - row
        if at % 3 == 0 and crop(image, x, y, PAGE_WIDTH, PAGE_HEIGHT) == page:
            return True
        at = rgb.find(rows[row], at + 1)
    return False


def check_wayland(kestrova, sim, folder):
    weston = shutil.which("weston")
    if weston is None:
        print("SKIP: weston not installed (Debian: weston)")
        sys.exit(SKIP)
    runtime = os.path.join(folder.path, "runtime")
    os.mkdir(runtime, 0o700)
    log = os.path.join(folder.path, "weston.txt")
    with open(log, "wb") as out:
        compositor = subprocess.Popen([weston, "--backend=x11-backend.so", "--socket=kestrova", "--width=1000",
                                       "--height=700"], env={**os.environ, "XDG_RUNTIME_DIR": runtime},
                                      stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        def said():
            with open(log, "rb") as f:
                return f.read().decode("utf-8", "replace")
        # The shell is the compositor's last step: clients connecting before it may find no seat.
        poll("Weston to launch its shell", lambda: "launching" in said(), 20, explain=said)
        output = poll("Weston's window", lambda: find_window(lambda w: w.instance == "weston-1"), 10)
        title = simulated_page(sim, folder, 1)
        env = {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "kestrova", "SDL_VIDEODRIVER": "wayland"}
        with Game(kestrova, ["--window", "--keyboard", "--frame-stats", "--data", folder.data], folder, env) as game:
            def shown():
                if not game.running():
                    fail("the game ended (status %d): %s" % (game.returncode, game.error_text()))
                image = read_window(output.id)
                return image is not None and find_page(image, title)
            poll("the title page in Weston's output", shown, 30, interval=0.2, explain=game.error_text)
            game.send_signal(signal.SIGTERM)
            game.expect_clean_exit("SIGTERM")
            if "frame stats:" not in game.error_text() or "ERROR" in game.error_text():
                fail("the game said: " + game.error_text())
    finally:
        os.killpg(compositor.pid, signal.SIGTERM)
        compositor.wait(timeout=10)


if __name__ == "__main__":
    run_test(check_wayland)
