"""Play pauses while the window is away: another window takes the focus, the
game shows its dimmed page with PAUSE and runs no frame until the focus comes
back; with --no-pause it plays on."""

import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, find_window, game_window,
                             hold_until,
                             poll, read_game_window, run, run_test, simulated_page, wait_for_game_window,
                             wait_for_image, within)


def dimmed(image):
    """Whether every other pixel is black, as the paused page has them (the
    word PAUSE, in the middle rows, aside)."""
    pixels = [image[i:i + 3] for i in range(0, len(image), 3)]
    rows = list(range(0, 200)) + list(range(280, PAGE_HEIGHT))
    return all(pixels[y * PAGE_WIDTH + x] == b"\0\0\0" for y in rows for x in range(y % 2, PAGE_WIDTH, 2))


def focus(window_id):
    run(["xdotool", "windowfocus", "--sync", window_id])


def check_pause(kestrova, sim, folder):
    title = simulated_page(sim, folder, 1)
    other = subprocess.Popen(["xmessage", "-geometry", "+700+500", "away"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        away = poll("the other window", lambda: find_window(lambda w: w.name == "xmessage"), timeout=20)
        for pauses in (True, False):
            args = ["--window", "--keyboard", "--data", folder.data] + ([] if pauses else ["--no-pause"])
            with Game(kestrova, args, folder) as game:
                wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
                wait_for_image("the title page", read_game_window, title, PAGE_WIDTH)
                hold_until("space", "play to start", lambda: read_game_window() != title)
                focus(away.id)
                if pauses:
                    still = poll("the paused page", lambda: (lambda i: i if i and dimmed(i) else None)(
                        read_game_window()), timeout=20)
                    if within(1.0, lambda: read_game_window() != still):
                        fail("a frame ran while the window was away")
                else:
                    first = read_game_window()
                    poll("play going on while away", lambda: read_game_window() != first, timeout=20)
                    if dimmed(read_game_window()):
                        fail("--no-pause paused")
                focus(game_window().id)  # looked up afresh: the game may have replaced its window
                resumed = read_game_window()
                poll("play again", lambda: read_game_window() != resumed, timeout=20)
                close_by_right_click(game)
    finally:
        other.kill()


if __name__ == "__main__":
    run_test(check_pause)
