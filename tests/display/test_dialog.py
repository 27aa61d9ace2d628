"""The installed game, moved to another prefix and started without options
from an unrelated folder: it finds its data beside itself, and the settings
dialog comes first. Enter at once gives a window with the title page; full
screen and keyboard clicked, then cancelled, give full screen, where Space
starts play, Escape opens the exit query, Right and Space leave. The keys
alone choose too: Tab moves from group to group, the arrows mark within one,
Return is OK and Escape Cancel. The score file is made in the player's data
folder (XDG_DATA_HOME, else ~/.local/share), private, and nowhere else; a
home where nothing can be made gets one message, and the game still plays
and ends well. Without data at hand kestrova-sim names every place it looked
in."""

import os
import shutil
import stat
import subprocess

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, Folder, close_by_right_click, crop, fail, find_window,
                             hold_until, poll, read_root, read_window, run, run_test, simulated_page,
                             wait_for_game_window, wait_for_image, wait_for_window, within)

SCREEN = (800, 600)  # keeps the whole multiple: full screen shows the page itself in the middle
DIALOG_CAPTION = "システムメニュー"
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
    x, y = units[0] * dialog.width // DIALOG_UNITS[0], units[1] * dialog.height // DIALOG_UNITS[1]
    before = settled_image(dialog)

    def probe():
        run(["xdotool", "mousemove", "--window", dialog.id, str(x), str(y), "click", "1"])
        return within(1.0, lambda: read_window(dialog.id) != before)
    poll("the click at %s to mark its radio button" % (units,), probe, timeout=15, interval=0)


def press_in_dialog(dialog, key):
    """Presses a key in the dialog until it closes: a dialog still being drawn drops it."""
    settled_image(dialog)

    def probe():
        if find_window(is_dialog) is None:
            return True
        run(["xdotool", "windowfocus", "--sync", dialog.id, "key", key], check=False)
        return within(1.0, lambda: find_window(is_dialog) is None)
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


def screen_middle():
    return crop(read_root(), (SCREEN[0] - PAGE_WIDTH) // 2, (SCREEN[1] - PAGE_HEIGHT) // 2, PAGE_WIDTH, PAGE_HEIGHT)


def window_page():
    return crop(read_root(), 0, 0, PAGE_WIDTH, PAGE_HEIGHT)


def black_share(rgb):
    return sum(1 for i in range(0, len(rgb), 3) if rgb[i:i + 3] == b"\0\0\0") / (len(rgb) // 3)


def files_under(top):
    return sorted(os.path.relpath(os.path.join(root, name), top) for root, _, names in os.walk(top) for name in names)


def check_installed_dialog(kestrova, sim, folder):
    title = simulated_page(sim, folder, 1)
    installed, moved = os.path.join(folder.path, "prefix"), os.path.join(folder.path, "moved")
    run(["cmake", "--install", os.path.dirname(kestrova), "--prefix", installed])
    shutil.move(installed, moved)
    game = os.path.join(moved, "bin", "kestrova")
    contents = files_under(moved)
    elsewhere = Folder(os.path.join(folder.path, "elsewhere"), None, folder.source)
    home, xdg = os.path.join(folder.path, "home"), os.path.join(folder.path, "xdg")
    for path in (elsewhere.path, home):
        os.mkdir(path)
    # Not installed, run from a folder without data/: the error names every place looked in.
    lost = subprocess.run([sim, "--frames", "1"], cwd=elsewhere.path, capture_output=True, text=True, timeout=30)
    places = ("data (under the current folder)", os.path.join(os.path.dirname(os.path.dirname(sim)), "share", "kestrova"))
    if lost.returncode != 1 or not all(place in lost.stderr for place in places):
        fail("without data, kestrova-sim exits %d saying %r" % (lost.returncode, lost.stderr))
    recording = os.path.join(folder.path, "keys.krp")
    with_xdg, with_home = {"HOME": home, "XDG_DATA_HOME": xdg}, {"HOME": home, "XDG_DATA_HOME": ""}

    def play(env, choose, size, page, then=close_by_right_click):
        """Chooses in the dialog, waits for the title page, then ends the game;
        what it said and the choices its recording names."""
        with Game(game, ["--record", recording], elsewhere, env) as running:
            choose(wait_for_window(running, "the settings dialog", is_dialog))
            wait_for_game_window(running, *size)
            wait_for_image("the installed game's title page", page, title, PAGE_WIDTH)
            then(running)
        for top, want in ((moved, contents), (elsewhere.path, ["stderr.txt"])):
            if files_under(top) != want:
                fail("the game wrote into %s: %s" % (top, sorted(set(files_under(top)) - set(want))))
        with open(recording) as f:
            return running.error_text(), f.readline().split()[2:4]

    def saved_scores(scores, env):
        score = os.path.join(scores, "score.dat")
        if not os.path.isfile(score) or stat.S_IMODE(os.stat(scores).st_mode) != 0o700:
            fail("no private %s after a game with %s" % (score, env))
        with open(score, "rb") as f:
            lines = f.read().splitlines()
        if len(lines) != SCORE_LINES:
            fail("score file has %d lines, not %d" % (len(lines), SCORE_LINES))

    # Enter on the fresh dialog: a window and the keyboard.
    _, got = play(with_xdg, lambda dialog: press_in_dialog(dialog, "Return"), (PAGE_WIDTH, PAGE_HEIGHT), window_page)
    if got != ["window", "keyboard"]:
        fail("Return on the fresh dialog chose %s" % got)
    saved_scores(os.path.join(xdg, "kestrova"), with_xdg)

    def clicks(dialog):
        """Full screen and keyboard clicked, then Escape: cancelling keeps the clicks."""
        click_in_dialog(dialog, FULL_SCREEN)
        click_in_dialog(dialog, KEYBOARD)
        press_in_dialog(dialog, "Escape")

    def leave_by_the_exit_query(running):
        top = (SCREEN[1] - PAGE_HEIGHT) // 2
        if black_share(crop(read_root(), 0, 0, SCREEN[0], top)) != 1.0:
            fail("the bar above the page is not black")
        hold_until("space", "play to start", lambda: screen_middle() != title)
        # The exit query is drawn on a cleared page: nearly all black.
        query = hold_until("Escape", "the exit query", lambda: black_share(screen_middle()) > 0.8 and screen_middle())
        hold_until("Right", "the cursor on yes", lambda: screen_middle() != query)
        hold_until("space", "the game to end", lambda: not running.running())
        running.expect_clean_exit("leaving through the exit query")
    _, got = play(with_home, clicks, SCREEN, screen_middle, leave_by_the_exit_query)
    if got != ["fullscreen", "keyboard"]:
        fail("the clicks and Escape chose %s" % got)
    saved_scores(os.path.join(home, ".local", "share", "kestrova"), with_home)

    # From OK past Cancel to the display group, none marked: Up goes round to
    # window, never to the hidden member, and on to full screen. Then the
    # device group, and Return from there. The home is a file: nothing can be made under it.
    said, got = play({"HOME": game, "XDG_DATA_HOME": ""},
                     lambda dialog: keys_in_dialog(dialog, ["Tab", "Tab", "Up", "Up", "Tab", "Down"], "Return"),
                     SCREEN, screen_middle)
    if got != ["fullscreen", "joystick"]:
        fail("Tab, arrows and Return chose %s" % got)
    if said.count("cannot save scores") != 1:
        fail("not one message about the scores: %r" % said)
    # Backwards round from OK through the music group; Escape keeps the mark.
    _, got = play(with_xdg, lambda dialog: keys_in_dialog(dialog, ["shift+Tab"] * 3 + ["Down"], "Escape"),
                  (PAGE_WIDTH, PAGE_HEIGHT), window_page)
    if got != ["window", "joystick"]:
        fail("Shift+Tab, Down and Escape chose %s" % got)


if __name__ == "__main__":
    run_test(check_installed_dialog, screen="%dx%d" % SCREEN)
