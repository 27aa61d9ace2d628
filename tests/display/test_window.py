"""The real window on a laptop-sized screen (1366 x 768). Full screen fills
the height at 4:3, centred, its flat areas in the page's own colours; F11 and
Alt+Enter switch to a window at the origin showing exactly the headless
game's page, and back. A larger window, or --scale, shows the page at the
multiple that fills it; with --integer-scale full screen shows it unscaled
in the middle. Play pauses (dimmed, no frame) while another window has the
focus, not with --no-pause. A right click closes the game, then reporting
its frames with --frame-stats. --mute plays silence, --volume 50 the music at
half its amplitude. A sheet that cannot be decoded stops start-up with a
message box that Return dismisses, and the game fails."""

import os
import re
import subprocess

from display_support import (AT_ORIGIN, PAGE_HEIGHT, PAGE_WIDTH, RATE, Game, close_by_right_click, enlarge, fail,
                             find_window, first_sound, game_window, hold, poll, read_window,
                             run, run_test, simulated_title, wait_for_game_window, wait_for_image, wave_samples, within)

SCREEN_W, SCREEN_H = 1366, 768
FITTED = (171, 0, 1024, 768)  # left, top, width, height
MIDDLE = (PAGE_WIDTH, PAGE_HEIGHT, (SCREEN_W - PAGE_WIDTH) // 2, (SCREEN_H - PAGE_HEIGHT) // 2)
EDGE_SLACK = 2  # screen pixels the smoothing may dim a lit edge inwards by (never outwards)
COLOUR_SLACK = 2  # per channel, for rounding in the smoothing
FRAME_STATS = re.compile(r"frame stats: ([0-9]+) frames; interval median [0-9.]+ ms, 99th percentile [0-9.]+ ms; "
                         r"[0-9]+ late \(over 17\.667 ms\)\n")


def bounding_box(width, rgb):
    """(left, top, right, bottom) of the pixels that are not black, or None."""
    rows = [rgb[i:i + 3 * width] for i in range(0, len(rgb), 3 * width)]
    lit = [y for y, row in enumerate(rows) if row.strip(b"\0")]
    return (min(len(rows[y]) - len(rows[y].lstrip(b"\0")) for y in lit) // 3, lit[0],
            max(len(rows[y].rstrip(b"\0")) - 1 for y in lit) // 3, lit[-1]) if lit else None


def flat_samples(page):
    """Page pixels at the middle of a 5 x 5 patch of one colour: smoothing
    cannot change them, wherever it samples near them."""
    def at(x, y):
        return page[3 * (y * PAGE_WIDTH + x):3 * (y * PAGE_WIDTH + x) + 3]
    return [(x, y, at(x, y)) for y in range(2, PAGE_HEIGHT - 2, 6) for x in range(2, PAGE_WIDTH - 2, 6)
            if all(at(x + dx, y + dy) == at(x, y) for dx in range(-2, 3) for dy in range(-2, 3))]


def dimmed(image):
    """Whether every other pixel is black, as the paused page has them (the
    word PAUSE, in the middle rows, aside)."""
    return all(image[3 * (y * PAGE_WIDTH + x):3 * (y * PAGE_WIDTH + x + 1)] == b"\0\0\0"
               for y in [*range(200), *range(280, PAGE_HEIGHT)] for x in range(y % 2, PAGE_WIDTH, 2))


def check_window(kestrova, sim, folder):
    check_failed_start(kestrova, folder)
    page = simulated_title(sim, folder)
    page_box, samples = bounding_box(PAGE_WIDTH, page), flat_samples(page)
    if page_box is None or len(samples) < 20 or len(set(colour for _, _, colour in samples)) < 3:
        fail("the simulated title page has too little to compare (%s, %d flat samples)" % (page_box, len(samples)))
    left, top, w, h = FITTED
    want_box = (left + page_box[0] * w // PAGE_WIDTH, top + page_box[1] * h // PAGE_HEIGHT,
                left + ((page_box[2] + 1) * w - 1) // PAGE_WIDTH, top + ((page_box[3] + 1) * h - 1) // PAGE_HEIGHT)
    # Whole multiples only: the page once, unchanged, on black.
    x, y = (SCREEN_W - PAGE_WIDTH) // 2, (SCREEN_H - PAGE_HEIGHT) // 2
    centred = b"\0" * 3 * (SCREEN_W * y + x) + (b"\0" * 3 * (SCREEN_W - PAGE_WIDTH)).join(
        page[3 * PAGE_WIDTH * row:3 * PAGE_WIDTH * (row + 1)] for row in range(PAGE_HEIGHT))
    centred += b"\0" * (3 * SCREEN_W * SCREEN_H - len(centred))

    def fitted_mismatch():
        """Why the screen does not show the page fitted to FITTED; None when it does."""
        rgb = read_window()
        box, inwards = bounding_box(SCREEN_W, rgb), (1, 1, -1, -1)
        if box is None or any(not 0 <= (a - b) * sign <= EDGE_SLACK for a, b, sign in zip(box, want_box, inwards)):
            return "the lit area is %s, not %s" % (box, want_box)
        for x, y, colour in samples:
            sx, sy = left + (2 * x + 1) * w // (2 * PAGE_WIDTH), top + (2 * y + 1) * h // (2 * PAGE_HEIGHT)
            got = rgb[3 * (sy * SCREEN_W + sx):3 * (sy * SCREEN_W + sx) + 3]
            if any(abs(a - b) > COLOUR_SLACK for a, b in zip(got, colour)):
                return "page pixel (%d, %d) %s shows at (%d, %d) as %s" % (x, y, tuple(colour), sx, sy, tuple(got))
        return None

    def full_screen(game, key=None, fitted=True):
        if key:
            run(["xdotool", "key", key])
        wait_for_game_window(game, SCREEN_W, SCREEN_H, at_origin=True)
        if fitted:
            poll("the title page fitted to %dx%d at (%d, %d)" % (w, h, left, top), lambda: fitted_mismatch() is None,
                 15, 0.2, explain=fitted_mismatch)
        else:
            wait_for_image("the title page unscaled in the middle", read_window, centred, SCREEN_W)

    def windowed(game, factor, key=None):
        """A window of the page enlarged `factor` times (of one reaching past the screen, the part on it)."""
        if key:
            run(["xdotool", "key", key])
        window = wait_for_game_window(game, PAGE_WIDTH * factor, PAGE_HEIGHT * factor, at_origin=True)
        rows = min(PAGE_HEIGHT, SCREEN_H // factor)  # the page rows on the screen
        want = enlarge(page[:3 * PAGE_WIDTH * rows], PAGE_WIDTH, rows, factor)
        wait_for_image("the page enlarged %d times" % factor,
                       lambda: read_window(rect=(window.width, rows * factor, 0, 0)), want, window.width)
        return window

    def away_and_back(read, pauses):
        """Starts play, gives the focus to the other window, then back."""
        hold("space", what="play to start", probe=lambda: read() != page)
        run(["xdotool", "windowfocus", "--sync", away.id])
        if pauses:
            still = poll("the paused page", lambda: (lambda i: dimmed(i) and i)(read()), timeout=20)
            if within(1.0, lambda: read() != still):
                fail("a frame ran while the window was away")
        else:
            first = read()
            poll("play going on while away", lambda: read() != first, timeout=20)
            if dimmed(read()):
                fail("--no-pause paused")
        run(["xdotool", "windowfocus", "--sync", game_window().id])  # looked up afresh: it may have been replaced
        resumed = read()
        poll("play again", lambda: read() != resumed, timeout=20)

    other = subprocess.Popen(["xmessage", "-geometry", "+700+500", "away"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        away = poll("the other window", lambda: find_window(lambda w: w.name == "xmessage"), timeout=20)
        args = ["--fullscreen", "--keyboard", "--mute", "--data", folder.data]
        with Game(kestrova, args, folder, sound=True) as game:
            full_screen(game)
            window = windowed(game, 1, "F11")
            run(["xdotool", "windowsize", window.id, str(2 * PAGE_WIDTH), str(2 * PAGE_HEIGHT)])
            windowed(game, 2)
            full_screen(game, "alt+Return")
            windowed(game, 1, "F11")
            away_and_back(lambda: read_window(rect=AT_ORIGIN), pauses=True)
            game.wait_played(RATE)
            close_by_right_click(game)
        if FRAME_STATS.search(game.error_text()) or any(game.samples()) or len(game.samples()) < RATE:
            fail("frame stats not asked for, or --mute not silent: %r, %d sounding samples out of %d" % (
                game.error_text(), sum(map(bool, game.samples())), len(game.samples())))
        args = ["--window", "--keyboard", "--scale", "2", "--integer-scale", "--frame-stats", "--no-pause",
                "--volume", "50", "--data", folder.data]
        with Game(kestrova, args, folder, sound=True) as game:
            windowed(game, 2)
            full_screen(game, "alt+Return", fitted=False)
            before_play = game.wait_played(RATE)
            away_and_back(lambda: read_window(rect=MIDDLE), pauses=False)
            close_by_right_click(game)
    finally:
        other.kill()
    report = FRAME_STATS.search(game.error_text())
    if not report or int(report.group(1)) == 0:
        fail("frame stats asked for: %r" % game.error_text())
    # Nothing sounds over the music on the title page.
    music, played = wave_samples(folder, "vesk.wav"), game.samples()[:before_play]
    first, opening = first_sound(played), first_sound(music)
    if len(played) - first < RATE // 2 or any(
            s != int(music[(i + opening) % len(music)] / 2) for i, s in enumerate(played[first:])):
        fail("--volume 50 does not play the music at half its amplitude")


def check_failed_start(kestrova, folder):
    bad = os.path.join(folder.path, "BAD.bmp")
    with open(os.path.join(folder.source, "assets", "sheet.bmp"), "rb") as f, open(bad, "wb") as out:
        out.write(f.read(4000))  # the header and palette, then the pixels break off
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
    # Its messages, and that it saves nothing, are the game's own test.
    if not dismissed or game.returncode == 0:
        fail("%d message boxes, exit status %d after a failed start-up: %s" % (
            len(dismissed), game.returncode, game.error_text()))


if __name__ == "__main__":
    run_test(check_window, screen="%dx%d" % (SCREEN_W, SCREEN_H))
