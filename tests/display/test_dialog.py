"""The installed game, moved to another prefix and started without options
from an unrelated folder, finds its data beside itself and opens the
settings dialog first. Enter at once gives a window with the title page;
full screen and keyboard clicked, then cancelled, give full screen. The
keys alone choose too: Tab moves from group to group, the arrows mark within
one, Return is OK and Escape Cancel. The score file is made in the player's
data folder (XDG_DATA_HOME, else ~/.local/share), private, and nowhere else;
a home where nothing can be made gets one message, and the game still plays.
With --lang en the dialog is in English, and chooses the same."""

import os
import shutil
import stat

from display_support import (AT_ORIGIN, PAGE_HEIGHT, PAGE_WIDTH, Game, Folder, close_by_right_click, fail,
                             find_window, poll, read_window, run, run_test, simulated_title, wait_for_game_window,
                             wait_for_image, wait_for_window, within)

SCREEN = (800, 600)  # keeps the whole multiple: full screen shows the page itself in the middle
MIDDLE = (PAGE_WIDTH, PAGE_HEIGHT, (SCREEN[0] - PAGE_WIDTH) // 2, (SCREEN[1] - PAGE_HEIGHT) // 2)
DIALOG_CAPTIONS = {None: "システムメニュー", "en": "Settings"}  # by --lang
DIALOG_UNITS = (165, 154)  # the dialog's client area in dialog units
# Radio buttons by their template rectangles (dialog units): a point on each caption.
FULL_SCREEN = (24 + 20, 27 + 5)
KEYBOARD = (21 + 20, 78 + 5)


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
        run(["xdotool", "windowfocus", "--sync", dialog.id, "key", key], check=False)  # fails once it is gone
        return within(1.0, lambda: find_window(lambda window: window.id == dialog.id) is None)
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


def files_under(top):
    return sorted(os.path.relpath(os.path.join(root, name), top) for root, _, names in os.walk(top) for name in names)


def check_installed_dialog(kestrova, sim, folder):
    title = simulated_title(sim, folder)
    installed, moved = os.path.join(folder.path, "prefix"), os.path.join(folder.path, "moved")
    run(["cmake", "--install", os.path.dirname(kestrova), "--prefix", installed])
    shutil.move(installed, moved)
    game, contents = os.path.join(moved, "bin", "kestrova"), files_under(moved)
    elsewhere = Folder(os.path.join(folder.path, "elsewhere"), None, folder.source)
    home, xdg, recording = (os.path.join(folder.path, name) for name in ("home", "xdg", "keys.krp"))
    for path in (elsewhere.path, home):
        os.mkdir(path)

    def clicks(dialog):
        click_in_dialog(dialog, FULL_SCREEN)
        click_in_dialog(dialog, KEYBOARD)
        press_in_dialog(dialog, "Escape")

    with_xdg, with_home = {"HOME": home, "XDG_DATA_HOME": xdg}, {"HOME": home, "XDG_DATA_HOME": ""}
    xdg_scores, home_scores = os.path.join(xdg, "kestrova"), os.path.join(home, ".local", "share", "kestrova")
    # Each: the home, --lang, what is done in the dialog and what that chooses, where scores go.
    sessions = (
        # Enter on the fresh dialog.
        (with_xdg, None, lambda dialog: press_in_dialog(dialog, "Return"), "window keyboard", xdg_scores),
        # In English over a Japanese locale, full screen and keyboard clicked, then Escape: cancelling keeps the
        # clicks.
        (dict(with_home, LANG="ja_JP.UTF-8"), "en", clicks, "fullscreen keyboard", home_scores),
        # From OK past Cancel to the display group, none marked: Up goes round to window, never to the hidden
        # member, and on to full screen. Then the device group, and Return from there. The home is a file:
        # nothing can be made under it.
        ({"HOME": game, "XDG_DATA_HOME": ""}, None,
         lambda dialog: keys_in_dialog(dialog, ["Tab", "Tab", "Up", "Up", "Tab", "Down"], "Return"),
         "fullscreen joystick", None),
        # Backwards round from OK through the music group; Escape keeps the mark.
        (with_xdg, None, lambda dialog: keys_in_dialog(dialog, ["shift+Tab"] * 3 + ["Down"], "Escape"),
         "window joystick", xdg_scores))
    for env, lang, choose, choices, scores in sessions:
        full = choices.startswith("fullscreen")
        args = ["--record", recording] + (["--lang", lang] if lang else [])
        with Game(game, args, elsewhere, env) as running:
            caption = DIALOG_CAPTIONS[lang]
            choose(wait_for_window(running, "the settings dialog " + caption, lambda window: window.name == caption))
            wait_for_game_window(running, *(SCREEN if full else (PAGE_WIDTH, PAGE_HEIGHT)))
            wait_for_image("the installed game's title page", lambda: read_window(rect=MIDDLE if full else AT_ORIGIN),
                           title, PAGE_WIDTH)
            close_by_right_click(running)
        with open(recording) as f:
            if f.readline().split()[2:4] != choices.split():
                fail("the dialog did not choose " + choices)
        for top, want in ((moved, contents), (elsewhere.path, ["stderr.txt"])):
            if files_under(top) != want:
                fail("the game wrote into %s: %s" % (top, sorted(set(files_under(top)) - set(want))))
        if scores is None:
            if running.error_text().count("cannot save scores") != 1:
                fail("not one message about the scores: %r" % running.error_text())
            continue
        score = os.path.join(scores, "score.dat")
        if not os.path.isfile(score) or stat.S_IMODE(os.stat(scores).st_mode) != 0o700:
            fail("no private %s after a game with %s" % (score, env))  # what it holds is the table's own test


if __name__ == "__main__":
    run_test(check_installed_dialog, screen="%dx%d" % SCREEN)
