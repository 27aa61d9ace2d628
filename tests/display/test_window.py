"""The game's real window shows exactly the page the headless game presents,
also enlarged with --scale or when made larger; Alt+Enter and F11 switch it
to the whole screen and back; it closes on a right click, and with --frame-stats it then reports
the frames it showed."""

import re

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, crop, enlarge, fail, read_root,
                             run, run_test, simulated_page, wait_for_game_window, wait_for_image)


def check_windows(kestrova, sim, folder):
    page = simulated_page(sim, folder, 1)
    if len(set(page[i:i + 3] for i in range(0, len(page), 3 * 97))) < 3:
        fail("the simulated title page is nearly blank: nothing to compare")
    screen_w, screen_h = read_root()[:2]

    def wait_for_enlarged(factor, window):
        # An enlarged window reaches past the screen: compare the part on it.
        visible_w, visible_h = min(window.width, screen_w), min(window.height, screen_h)
        want = crop((window.width, window.height, enlarge(page, PAGE_WIDTH, PAGE_HEIGHT, factor)),
                    0, 0, visible_w, visible_h)
        wait_for_image("the page enlarged %d times" % factor,
                       lambda: crop(read_root(), 0, 0, visible_w, visible_h), want, visible_w)

    for factor in (1, 2):
        stats = factor > 1
        more = ["--scale", str(factor), "--frame-stats"] if stats else []
        with Game(kestrova, ["--window", "--keyboard", "--data", folder.data] + more, folder) as game:
            window = wait_for_game_window(game, PAGE_WIDTH * factor, PAGE_HEIGHT * factor)
            if (window.x, window.y) != (0, 0):
                fail("window at (%d, %d), not at the origin" % (window.x, window.y))
            wait_for_enlarged(factor, window)
            if factor == 1:
                # The player's keys: the window covers the screen, then is the window it was.
                for key, size in (("alt+Return", (screen_w, screen_h)), ("F11", (PAGE_WIDTH, PAGE_HEIGHT))):
                    run(["xdotool", "key", key])
                    window = wait_for_game_window(game, *size)
                    if (window.x, window.y) != (0, 0):
                        fail("after %s the window is at (%d, %d)" % (key, window.x, window.y))
                wait_for_enlarged(1, window)
                # A window made larger shows the page at the multiple that fills it.
                run(["xdotool", "windowsize", window.id, str(2 * PAGE_WIDTH), str(2 * PAGE_HEIGHT)])
                wait_for_enlarged(2, wait_for_game_window(game, 2 * PAGE_WIDTH, 2 * PAGE_HEIGHT))
            close_by_right_click(game)
            report = re.search(r"frame stats: ([0-9]+) frames; interval median [0-9.]+ ms, 99th percentile [0-9.]+ ms; "
                               r"[0-9]+ late \(over 17\.667 ms\)\n", game.error_text())
            if bool(report) != stats or (report and int(report.group(1)) == 0):
                fail("frame stats %s: %r" % ("asked for" if stats else "not asked for", game.error_text()))


if __name__ == "__main__":
    run_test(check_windows)
