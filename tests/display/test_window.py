"""The game's real window on a laptop-sized screen (1366 x 768). Started in
full screen, the picture fills the height at 4:3, centred, its flat areas in
the page's own colours. F11 and Alt+Enter switch to a window at the origin
showing exactly the page the headless game presents, and back; a window made
larger, or started with --scale, shows the page at the multiple that fills
it; with --integer-scale full screen shows the page itself in the middle.
Play pauses while another window has the focus (the dimmed page with PAUSE,
no frame until the focus comes back), but not with --no-pause. A right click
closes the game, and with --frame-stats it then reports the frames it showed.
--mute plays silence, --volume 50 the music at half its amplitude. A sprite
sheet that cannot be decoded stops start-up with a message box; Return
dismisses it and the game ends with a failure status and the message on
standard error, having written no score file."""

import os
import re
import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, RATE, Game, close_by_right_click, crop, enlarge, fail,
                             find_window, game_window, hold_until, poll, read_game_window, read_root, run, run_test,
                             simulated_page, wait_for_game_window, wait_for_image, wave_samples, within)

SCREEN_W, SCREEN_H = 1366, 768
FITTED = (171, 0, 1024, 768)  # left, top, width, height
EDGE_SLACK = 2  # screen pixels the smoothing may dim a lit edge inwards by (never outwards)
COLOUR_SLACK = 2  # per channel, for rounding in the smoothing
FRAME_STATS = re.compile(r"frame stats: ([0-9]+) frames; interval median [0-9.]+ ms, 99th percentile [0-9.]+ ms; "
                         r"[0-9]+ late \(over 17\.667 ms\)\n")


def bounding_box(width, height, rgb):
    """(left, top, right, bottom) of the pixels that are not black, or None."""
    rows = [rgb[3 * width * y:3 * width * (y + 1)] for y in range(height)]
    lit = [y for y, row in enumerate(rows) if row.strip(b"\0")]
    if not lit:
        return None
    left = min(len(rows[y]) - len(rows[y].lstrip(b"\0")) for y in lit) // 3
    right = max(len(rows[y].rstrip(b"\0")) - 1 for y in lit) // 3
    return left, lit[0], right, lit[-1]


def flat_samples(page):
    """Page pixels at the middle of a 5 x 5 patch of one colour: smoothing
    cannot change them, wherever it samples near them."""
    def at(x, y):
        return page[3 * (y * PAGE_WIDTH + x):3 * (y * PAGE_WIDTH + x) + 3]
    for y in range(2, PAGE_HEIGHT - 2, 6):
        for x in range(2, PAGE_WIDTH - 2, 6):
            colour = at(x, y)
            if all(at(x + dx, y + dy) == colour for dx in range(-2, 3) for dy in range(-2, 3)):
                yield x, y, colour


def fitted_mismatch(image, want_box, samples):
    """Why the screen does not show the page fitted to FITTED; None when it does."""
    width, height, rgb = image
    box = bounding_box(width, height, rgb)
    inwards = (1, 1, -1, -1)
    if box is None or any(not 0 <= (a - b) * sign <= EDGE_SLACK for a, b, sign in zip(box, want_box, inwards)):
        return "the lit area is %s, not %s" % (box, want_box)
    left, top, w, h = FITTED
    for x, y, colour in samples:
        sx, sy = left + (2 * x + 1) * w // (2 * PAGE_WIDTH), top + (2 * y + 1) * h // (2 * PAGE_HEIGHT)
        got = rgb[3 * (sy * width + sx):3 * (sy * width + sx) + 3]
        if any(abs(a - b) > COLOUR_SLACK for a, b in zip(got, colour)):
            return "page pixel (%d, %d) %s shows at (%d, %d) as %s" % (x, y, tuple(colour), sx, sy, tuple(got))
    return None


def dimmed(image):
    """Whether every other pixel is black, as the paused page has them (the
    word PAUSE, in the middle rows, aside)."""
    pixels = [image[i:i + 3] for i in range(0, len(image), 3)]
    rows = list(range(0, 200)) + list(range(280, PAGE_HEIGHT))
    return all(pixels[y * PAGE_WIDTH + x] == b"\0\0\0" for y in rows for x in range(y % 2, PAGE_WIDTH, 2))


def screen_middle():
    return crop(read_root(), (SCREEN_W - PAGE_WIDTH) // 2, (SCREEN_H - PAGE_HEIGHT) // 2, PAGE_WIDTH, PAGE_HEIGHT)


def focus(window_id):
    run(["xdotool", "windowfocus", "--sync", window_id])


def check_window(kestrova, sim, folder):
    check_failed_start(kestrova, folder)  # first, while no game has written the score file
    page = simulated_page(sim, folder, 1)
    page_box, samples = bounding_box(PAGE_WIDTH, PAGE_HEIGHT, page), list(flat_samples(page))
    if page_box is None or len(samples) < 20 or len(set(colour for _, _, colour in samples)) < 3:
        fail("the simulated title page has too little to compare (%s, %d flat samples)" % (page_box, len(samples)))
    left, top, w, h = FITTED
    want_box = (left + page_box[0] * w // PAGE_WIDTH, top + page_box[1] * h // PAGE_HEIGHT,
                left + ((page_box[2] + 1) * w - 1) // PAGE_WIDTH, top + ((page_box[3] + 1) * h - 1) // PAGE_HEIGHT)

    def full_screen(game, key=None, fitted=True):
        if key:
            run(["xdotool", "key", key])
        wait_for_game_window(game, SCREEN_W, SCREEN_H, at_origin=True)
        if fitted:
            last = [None]

            def shows_fitted():
                last[0] = fitted_mismatch(read_root(), want_box, samples)
                return last[0] is None
            poll("the title page fitted to %dx%d at (%d, %d)" % (w, h, left, top), shows_fitted, 15, interval=0.2,
                 explain=lambda: last[0])
        else:  # whole multiples only: the page once, unchanged, on black
            x, y, black_row = (SCREEN_W - PAGE_WIDTH) // 2, (SCREEN_H - PAGE_HEIGHT) // 2, b"\0" * 3 * SCREEN_W
            want = black_row * y + b"".join(b"\0" * 3 * x + page[3 * PAGE_WIDTH * row:3 * PAGE_WIDTH * (row + 1)] +
                                            b"\0" * 3 * (SCREEN_W - x - PAGE_WIDTH) for row in range(PAGE_HEIGHT))
            wait_for_image("the title page at %dx%d in the middle" % (PAGE_WIDTH, PAGE_HEIGHT), lambda: read_root()[2],
                           want + black_row * (SCREEN_H - y - PAGE_HEIGHT), SCREEN_W)

    def windowed(game, factor, key=None):
        """A window of the page enlarged `factor` times; of one that reaches past the screen, the part on it."""
        if key:
            run(["xdotool", "key", key])
        window = wait_for_game_window(game, PAGE_WIDTH * factor, PAGE_HEIGHT * factor, at_origin=True)
        visible_w, visible_h = min(window.width, SCREEN_W), min(window.height, SCREEN_H)
        want = crop((window.width, window.height, enlarge(page, PAGE_WIDTH, PAGE_HEIGHT, factor)),
                    0, 0, visible_w, visible_h)
        wait_for_image("the page enlarged %d times" % factor,
                       lambda: crop(read_root(), 0, 0, visible_w, visible_h), want, visible_w)
        return window

    other = subprocess.Popen(["xmessage", "-geometry", "+700+500", "away"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        away = poll("the other window", lambda: find_window(lambda w: w.name == "xmessage"), timeout=20)
        with Game(kestrova, ["--fullscreen", "--keyboard", "--mute", "--data", folder.data], folder, sound=True) as game:
            full_screen(game)
            window = windowed(game, 1, "F11")
            run(["xdotool", "windowsize", window.id, str(2 * PAGE_WIDTH), str(2 * PAGE_HEIGHT)])
            windowed(game, 2)
            full_screen(game, "alt+Return")
            windowed(game, 1, "F11")
            hold_until("space", "play to start", lambda: read_game_window() != page)
            focus(away.id)
            still = poll("the paused page", lambda: (lambda i: i if i and dimmed(i) else None)(read_game_window()),
                         timeout=20)
            if within(1.0, lambda: read_game_window() != still):
                fail("a frame ran while the window was away")
            focus(game_window().id)  # looked up afresh: the game may have replaced its window
            resumed = read_game_window()
            poll("play again", lambda: read_game_window() != resumed, timeout=20)
            game.wait_played(RATE)
            close_by_right_click(game)
        if FRAME_STATS.search(game.error_text()):
            fail("frame stats not asked for: %r" % game.error_text())
        if any(game.samples()) or len(game.samples()) < RATE:
            fail("--mute played %d sounding samples out of %d" % (sum(map(bool, game.samples())), len(game.samples())))

        args = ["--window", "--keyboard", "--scale", "2", "--integer-scale", "--frame-stats", "--no-pause",
                "--volume", "50", "--data", folder.data]
        with Game(kestrova, args, folder, sound=True) as game:
            windowed(game, 2)
            full_screen(game, "alt+Return", fitted=False)
            title_played = game.wait_played(RATE)
            hold_until("space", "play to start", lambda: screen_middle() != page)
            focus(away.id)
            first = screen_middle()
            poll("play going on while away", lambda: screen_middle() != first, timeout=20)
            if dimmed(screen_middle()):
                fail("--no-pause paused")
            focus(game_window().id)
            resumed = screen_middle()
            poll("play again", lambda: screen_middle() != resumed, timeout=20)
            close_by_right_click(game)
        report = FRAME_STATS.search(game.error_text())
        if not report or int(report.group(1)) == 0:
            fail("frame stats asked for: %r" % game.error_text())
        music = wave_samples(os.path.join(folder.source, "assets", "vesk.wav"))
        played = game.samples()[:title_played]
        first, opening = (next(i for i, v in enumerate(s) if v != 0) for s in (played, music))
        if len(played) - first < RATE // 2 or any(
                s != int(music[(i + opening) % len(music)] / 2) for i, s in enumerate(played[first:])):
            fail("--volume 50 does not play the music at half its amplitude")
    finally:
        other.kill()


def check_failed_start(kestrova, folder):
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
    run_test(check_window, screen="%dx%d" % (SCREEN_W, SCREEN_H))
