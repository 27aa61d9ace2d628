"""Full screen on a laptop-sized screen (1366 x 768): the picture fills the
height at 4:3, centred, its flat areas in the page's own colours; with
--integer-scale it stays the page itself, pixel for pixel, in the middle."""

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, poll, read_root, run_test,
                             simulated_page, wait_for_game_window, wait_for_image)

SCREEN_W, SCREEN_H = 1366, 768
FITTED = (171, 0, 1024, 768)  # left, top, width, height
EDGE_SLACK = 2  # screen pixels the smoothing may dim a lit edge inwards by (never outwards)
COLOUR_SLACK = 2  # per channel, for rounding in the smoothing


def bounding_box(width, height, rgb, size=3):
    """(left, top, right, bottom) of the pixels that are not black, or None."""
    rows = [rgb[size * width * y:size * width * (y + 1)] for y in range(height)]
    lit = [y for y, row in enumerate(rows) if row.strip(b"\0")]
    if not lit:
        return None
    left = min(len(rows[y]) - len(rows[y].lstrip(b"\0")) for y in lit) // size
    right = max(len(rows[y].rstrip(b"\0")) - 1 for y in lit) // size
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


def fitted_mismatch(image, page, want_box, samples):
    """Why the screen does not show the page fitted to FITTED; None when it does."""
    width, height, rgb = image
    if (width, height) != (SCREEN_W, SCREEN_H):
        return "a root of %dx%d" % (width, height)
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


def check_fullscreen(kestrova, sim, folder):
    page = simulated_page(sim, folder, 1)
    page_box = bounding_box(PAGE_WIDTH, PAGE_HEIGHT, page)
    samples = list(flat_samples(page))
    if page_box is None or len(samples) < 20:
        fail("the simulated title page has too little to compare (%s, %d flat samples)" % (page_box, len(samples)))
    left, top, w, h = FITTED
    want_box = (left + page_box[0] * w // PAGE_WIDTH, top + page_box[1] * h // PAGE_HEIGHT,
                left + ((page_box[2] + 1) * w - 1) // PAGE_WIDTH, top + ((page_box[3] + 1) * h - 1) // PAGE_HEIGHT)

    args = ["--fullscreen", "--keyboard", "--data", folder.data]
    with Game(kestrova, args, folder) as game:
        wait_for_game_window(game, SCREEN_W, SCREEN_H)
        last = [None]

        def shows_fitted():
            last[0] = fitted_mismatch(read_root(), page, want_box, samples)
            return last[0] is None
        poll("the title page fitted to %dx%d at (%d, %d)" % (w, h, left, top), shows_fitted, 15, interval=0.2,
             explain=lambda: last[0])
        close_by_right_click(game)

    # Whole multiples only: the page once, unchanged, on black.
    x, y = (SCREEN_W - PAGE_WIDTH) // 2, (SCREEN_H - PAGE_HEIGHT) // 2
    black_row = b"\0" * 3 * SCREEN_W
    want = black_row * y + b"".join(
        b"\0" * 3 * x + page[3 * PAGE_WIDTH * row:3 * PAGE_WIDTH * (row + 1)] + b"\0" * 3 * (SCREEN_W - x - PAGE_WIDTH)
        for row in range(PAGE_HEIGHT)) + black_row * (SCREEN_H - y - PAGE_HEIGHT)
    with Game(kestrova, args + ["--integer-scale"], folder) as game:
        wait_for_game_window(game, SCREEN_W, SCREEN_H)
        wait_for_image("the title page at %dx%d in the middle" % (PAGE_WIDTH, PAGE_HEIGHT),
                       lambda: read_root()[2], want, SCREEN_W)
        close_by_right_click(game)


if __name__ == "__main__":
    run_test(check_fullscreen, screen="%dx%d" % (SCREEN_W, SCREEN_H))
