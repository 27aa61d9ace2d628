"""The game's real window shows exactly the page the headless game presents,
also enlarged with --scale, and closes on a right click."""

import sys

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, GameFolder, XServer, crop, enlarge, fail,
                             read_game_window, read_root, right_click_game_window, screen_size, simulated_page,
                             wait_for_game_window, wait_for_image)


def close_by_right_click(game):
    right_click_game_window()
    status = game.wait_exit(timeout=10)
    if status != 0:
        fail("exit status %d after a right click: %s" % (status, game.stderr()))


def check_plain_window(kestrova, sim, folder):
    expected = simulated_page(sim, folder, 1)
    if len(set(expected[i:i + 3] for i in range(0, len(expected), 3 * 97))) < 3:
        fail("the simulated title page is nearly blank: nothing to compare")
    with Game(kestrova, ["--window", "--keyboard", "--data", folder.data], folder) as game:
        window = wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        if (window.x, window.y) != (0, 0):
            fail("window at (%d, %d), not at the origin" % (window.x, window.y))
        wait_for_image("the first frame in the window", read_game_window, expected, PAGE_WIDTH)
        close_by_right_click(game)


def check_scaled_window(kestrova, sim, folder, factor):
    expected = enlarge(simulated_page(sim, folder, 1), PAGE_WIDTH, PAGE_HEIGHT, factor)
    with Game(kestrova, ["--window", "--keyboard", "--scale", str(factor), "--data", folder.data], folder) as game:
        window = wait_for_game_window(game, PAGE_WIDTH * factor, PAGE_HEIGHT * factor)
        # The enlarged window may reach past the screen: compare the part on it.
        screen_w, screen_h = screen_size()
        visible_w = min(window.width, screen_w - window.x)
        visible_h = min(window.height, screen_h - window.y)
        want = crop((window.width, window.height, expected), 0, 0, visible_w, visible_h)
        wait_for_image("the frame enlarged %d times" % factor,
                       lambda: crop(read_root(), window.x, window.y, visible_w, visible_h), want, visible_w)
        close_by_right_click(game)


def main():
    kestrova, sim, source_dir = sys.argv[1:4]
    with XServer(), GameFolder(source_dir) as folder:
        check_plain_window(kestrova, sim, folder)
        check_scaled_window(kestrova, sim, folder, 2)
    print("ok")


if __name__ == "__main__":
    main()
