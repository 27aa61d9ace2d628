"""Without options the settings dialog comes first. Enter at once gives a
window; full screen and keyboard clicked, then cancelled, give full screen,
where Space starts play, Escape opens the exit query, Right and Space leave,
and the score file is written. The keys alone choose too: Tab moves from
group to group, the arrows mark within one, Return is OK and Escape Cancel.
The C locale shows the dialog in Japanese; --lang en in English, over a
Japanese locale, and it chooses as the Japanese one does."""

import os

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, crop, fail, find_window, hold_until,
                             poll, read_game_window, read_root, read_window, run, run_test, simulated_page,
                             wait_for_game_window, wait_for_image, wait_for_window, within)

DIALOG_CAPTION = "システムメニュー"
ENGLISH_CAPTION = "Settings"
DIALOG_UNITS = (165, 154)  # the dialog's client area in dialog units
# Radio buttons by their template rectangles (dialog units): a point on each caption.
FULL_SCREEN = (24 + 20, 27 + 5)
KEYBOARD = (21 + 20, 78 + 5)
SCORE_LINES = 40


def is_dialog(window):
    return window.name == DIALOG_CAPTION


def settled_image(dialog, unlike=None, what="the dialog to be drawn"):
    """The dialog's image once two reads a moment apart agree (and differ from `unlike`)."""
    last = [None]

    def probe():
        image, last[0] = last[0], read_window(dialog.id)
        return image is not None and image == last[0] and image != unlike
    poll(what, probe, timeout=15, interval=0.2)
    return last[0]


def click_in_dialog(dialog, units):
    """Clicks a radio button until the dialog shows it marked: a click that
    lands before GTK has drawn and mapped the dialog is lost, and clicking a
    marked radio button again changes nothing."""
    x = units[0] * dialog.width // DIALOG_UNITS[0]
    y = units[1] * dialog.height // DIALOG_UNITS[1]
    before = settled_image(dialog)

    def probe():
        run(["xdotool", "mousemove", "--window", dialog.id, str(x), str(y), "click", "1"])
        return within(1.0, lambda: read_window(dialog.id) != before)
    poll("the click at %s to mark its radio button" % (units,), probe, timeout=15, interval=0)


def press_in_dialog(dialog, key):
    """Presses a key in the dialog until it closes: a dialog still being drawn
    drops it."""
    settled_image(dialog)

    def closed():
        return find_window(is_dialog) is None

    def probe():
        if closed():
            return True
        run(["xdotool", "windowfocus", "--sync", dialog.id, "key", key], check=False)
        return within(1.0, closed)
    poll("the dialog to close on " + key, probe, timeout=15, interval=0)


def keys_in_dialog(dialog, keys, closing_key):
    """Focuses the dialog and presses the keys, each once the dialog shows the
    last: the focus shows from the start, and each key moves it or a mark."""
    image = settled_image(dialog)
    run(["xdotool", "windowfocus", "--sync", dialog.id])
    image = settled_image(dialog, image, "the focus to show")
    for key in keys:
        run(["xdotool", "key", key])
        image = settled_image(dialog, image, "the dialog to show " + key)
    run(["xdotool", "key", closing_key])


def screen_centre():
    """The middle of the screen, where full screen shows the page."""
    root = read_root()
    return crop(root, (root[0] - PAGE_WIDTH) // 2, (root[1] - PAGE_HEIGHT) // 2, PAGE_WIDTH, PAGE_HEIGHT)


def black_share(rgb):
    return sum(1 for i in range(0, len(rgb), 3) if rgb[i:i + 3] == b"\0\0\0") / (len(rgb) // 3)


def check_dialog(kestrova, sim, folder):
    title = simulated_page(sim, folder, 1)
    # Enter on the fresh dialog: a window and the keyboard.
    with Game(kestrova, ["--data", folder.data], folder) as game:
        dialog = wait_for_window(game, "the settings dialog", is_dialog)
        japanese = (dialog.width, dialog.height, settled_image(dialog))
        press_in_dialog(dialog, "Return")
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        wait_for_image("the title page in the window", read_game_window, title, PAGE_WIDTH)
        close_by_right_click(game)

    check_english(kestrova, folder, japanese, title)

    # Full screen and keyboard clicked, then Escape: cancelling keeps the clicks.
    with Game(kestrova, ["--data", folder.data], folder) as game:
        dialog = wait_for_window(game, "the settings dialog", is_dialog)
        click_in_dialog(dialog, FULL_SCREEN)
        click_in_dialog(dialog, KEYBOARD)
        press_in_dialog(dialog, "Escape")

        # The page in the middle of the screen, black bars around it.
        screen_w, screen_h = read_root()[:2]
        wait_for_game_window(game, screen_w, screen_h)
        top = (screen_h - PAGE_HEIGHT) // 2
        page = screen_centre
        wait_for_image("the title page in the middle of the screen", page, title, PAGE_WIDTH)
        if black_share(crop(read_root(), 0, 0, screen_w, top)) != 1.0:
            fail("the bar above the page is not black")

        hold_until("space", "play to start", lambda: page() != title)
        # The exit query is drawn on a cleared page: nearly all black.
        query = hold_until("Escape", "the exit query", lambda: black_share(page()) > 0.8 and page())
        hold_until("Right", "the cursor on yes", lambda: page() != query)
        hold_until("space", "the game to end", lambda: not game.running())
        game.expect_clean_exit("leaving through the exit query")

    check_keys(kestrova, folder, title)

    score = os.path.join(folder.data, "score.dat")
    if not os.path.exists(score):
        fail("no score file was written")
    with open(score, "rb") as f:
        lines = f.read().splitlines()
    if len(lines) != SCORE_LINES:
        fail("score file has %d lines, not %d" % (len(lines), SCORE_LINES))


def check_english(kestrova, folder, japanese, title):
    """The same template, captions in English: the same size, other pixels,
    and its full screen button still full screen."""
    with Game(kestrova, ["--data", folder.data, "--lang", "en"], folder, env={"LANG": "ja_JP.UTF-8"}) as game:
        dialog = wait_for_window(game, "the English settings dialog", lambda w: w.name == ENGLISH_CAPTION)
        if (dialog.width, dialog.height) != japanese[:2]:
            fail("the English dialog is %dx%d, the Japanese one %dx%d" % ((dialog.width, dialog.height) + japanese[:2]))
        if settled_image(dialog) == japanese[2]:
            fail("the English dialog looks as the Japanese one does")
        click_in_dialog(dialog, FULL_SCREEN)
        run(["xdotool", "windowfocus", "--sync", dialog.id, "key", "Return"])
        wait_for_game_window(game, *read_root()[:2])
        wait_for_image("the title page in the middle of the screen", screen_centre, title, PAGE_WIDTH)
        close_by_right_click(game)


def check_keys(kestrova, folder, title):
    """The recording's header names what the dialog chose."""
    def choices(keys, closing_key, size, page):
        with Game(kestrova, ["--data", folder.data, "--record", "keys.krp"], folder) as game:
            keys_in_dialog(wait_for_window(game, "the settings dialog", is_dialog), keys, closing_key)
            wait_for_game_window(game, *size)
            wait_for_image("the title page", page, title, PAGE_WIDTH)
            close_by_right_click(game)
        with open(os.path.join(folder.path, "keys.krp")) as f:
            return f.readline().split()[2:4]

    # From OK past Cancel to the display group, none marked: Up goes round to
    # window, never to the hidden member, and on to full screen. Then the
    # device group, and Return from there.
    screen = read_root()[:2]
    got = choices(["Tab", "Tab", "Up", "Up", "Tab", "Down"], "Return", screen, screen_centre)
    if got != ["fullscreen", "joystick"]:
        fail("Tab, arrows and Return chose %s" % got)
    # Backwards round from OK through the music group; Escape keeps the mark.
    got = choices(["shift+Tab"] * 3 + ["Down"], "Escape", (PAGE_WIDTH, PAGE_HEIGHT), read_game_window)
    if got != ["window", "joystick"]:
        fail("Shift+Tab, Down and Escape chose %s" % got)


if __name__ == "__main__":
    # A screen that keeps the whole multiple, so full screen shows the page
    # itself in the middle (test_fullscreen checks the fitted picture).
    run_test(check_dialog, screen="800x600")
