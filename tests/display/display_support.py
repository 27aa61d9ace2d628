"""Helpers for the real-window tests: a private X server, a temporary game
folder, the game's X windows, exact read-back of what they show and of what
the game plays, and key presses. Every wait is a bounded poll."""

import array
import collections
import os
import pathlib
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import wave

PAGE_WIDTH, PAGE_HEIGHT = 640, 480
RATE = 8000  # the music's samples a second, and so the output's
GAME_WINDOW = ("Kestrova App", "kestrova")  # the main window's name and class instance
AT_ORIGIN = (PAGE_WIDTH, PAGE_HEIGHT, 0, 0)  # where a window at the origin shows the page
Folder = collections.namedtuple("Folder", "path data source")  # the test's folder, its data/, the repository
Window = collections.namedtuple("Window", "id name instance width height x y")
_TREE_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": \((?:"([^"]*)" "[^"]*")?\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def within(seconds, probe, interval=0.05):
    """probe()'s first true value within `seconds`, else its last false one."""
    deadline = time.monotonic() + seconds
    while not (value := probe()) and time.monotonic() < deadline:
        time.sleep(interval)
    return value


def poll(what, probe, timeout, interval=0.05, explain=None):
    """Like within(), but fails on a timeout, saying what explain() tells about the last try."""
    value = within(timeout, probe, interval)
    if not value:
        fail("timed out waiting for " + what + (": " + explain() if explain else ""))
    return value


def wait_for_image(what, read, want, width):
    """Polls read() until it gives exactly the RGB bytes `want` (rows of `width`)."""
    last = [b""]

    def probe():
        last[0] = read() or b""
        return last[0] == want

    def explain():
        diffs = [i // 3 for i in range(0, min(len(last[0]), len(want)), 3) if last[0][i:i + 3] != want[i:i + 3]]
        if not diffs:
            return "sizes %d and %d" % (len(last[0]), len(want))
        return "%d pixels differ, first at (%d, %d)" % (len(diffs), diffs[0] % width, diffs[0] // width)
    poll(what, probe, 15, 0.1, explain)


def run_test(body, screen):
    """Runs body(kestrova, sim, folder) in a fresh folder with a copy of data/
    and its own settings folder, on an X server of its own (tests side by side
    share no windows or focus) with a screen of that size. Xvfb picks a free
    display itself; without -noreset a game connecting as it resets finds none."""
    kestrova, sim, source = sys.argv[1:4]
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", screen + "x24", "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        number = xvfb.stdout.readline().strip() if select.select([xvfb.stdout], [], [], 20)[0] else b""
        if not number:
            fail("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + number.decode()
        os.environ.pop("WAYLAND_DISPLAY", None)
        with tempfile.TemporaryDirectory(prefix="kestrova-display-", ignore_cleanup_errors=True) as path:
            # The player's settings are never the tester's.
            os.environ["XDG_CONFIG_HOME"] = os.path.join(path, "config")
            folder = Folder(path, os.path.join(path, "data"), source)
            shutil.copytree(os.path.join(source, "data"), folder.data, ignore=shutil.ignore_patterns("score.dat*"))
            body(kestrova, sim, folder)
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            xvfb.kill()
    print("ok")


class Game(subprocess.Popen):
    """The real binary in a folder, its standard error kept in a file and, with
    `sound`, what it plays in another (SDL's disk driver, in real time). Its
    process group is killed at the end: SDL shows message boxes from a child."""

    def __init__(self, binary, args, folder, env=None, sound=False):
        self.stderr_path, self.audio_path = (os.path.join(folder.path, name) for name in ("stderr.txt", "audio.raw"))
        if os.path.exists(self.audio_path):
            os.remove(self.audio_path)
        audio = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": self.audio_path} if sound else {
            "SDL_AUDIODRIVER": "dummy"}
        with open(self.stderr_path, "wb") as stderr:
            super().__init__([binary] + args, cwd=folder.path, env={**os.environ, **audio, **(env or {})},
                             start_new_session=True, stdout=subprocess.DEVNULL, stderr=stderr)

    def __exit__(self, *exc):
        try:
            os.killpg(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        super().__exit__(*exc)

    def running(self):
        return self.poll() is None

    def expect_clean_exit(self, after, timeout=10):
        ended = within(timeout, lambda: not self.running())
        if not ended or self.returncode != 0:
            said = "exits with status %s" % self.returncode if ended else "runs on"
            fail("after %s the game %s: %s" % (after, said, self.error_text()))

    def error_text(self):
        return pathlib.Path(self.stderr_path).read_bytes().decode("utf-8", "replace")

    def wait_played(self, samples):
        """How many samples it has played, once that is at least `samples`."""
        def played():
            return os.path.getsize(self.audio_path) // 2 if os.path.exists(self.audio_path) else 0
        return poll("%d samples of sound" % samples, lambda: played() >= samples and played(), timeout=30)

    def samples(self):
        data = pathlib.Path(self.audio_path).read_bytes()
        return array.array("h", data[:len(data) // 2 * 2])  # as the device took them, in the machine's order


def wave_samples(folder, name):
    """An 8-bit wave's samples among the assets, as the game plays them: (x - 128) * 256."""
    with wave.open(os.path.join(folder.source, "assets", name)) as w:
        return [(b - 128) * 256 for b in w.readframes(w.getnframes())]


def first_sound(samples):
    return next(i for i, v in enumerate(samples) if v != 0)


def run(args, check=True):
    result = subprocess.run(args, capture_output=True, timeout=30)
    if check and result.returncode != 0:
        fail("%s: %s" % (" ".join(args), (result.stderr + result.stdout).decode("utf-8", "replace")))
    return result.stdout


def find_window(match):
    """The first window match(window) accepts, names read as UTF-8; the list is
    made again when a window goes while it is queried."""
    for _ in range(50):
        result = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, timeout=30)
        if result.returncode == 0:
            lines = map(_TREE_LINE.match, result.stdout.decode("utf-8", "replace").splitlines())
            windows = (Window(m[1], m[2], m[3], *map(int, m.group(4, 5, 6, 7))) for m in lines if m)
            return next((window for window in windows if match(window)), None)
        if b"Bad Window" not in result.stderr and b"Bad Drawable" not in result.stderr:
            break
        time.sleep(0.02)
    fail("xwininfo: " + result.stderr.decode("utf-8", "replace"))


def game_window():
    """Looked up afresh each time: the game may replace its window once it has chosen its renderer."""
    return find_window(lambda w: (w.name, w.instance) == GAME_WINDOW)


def wait_for_window(game, what, match):
    """The first window match(window) accepts, once there is one; the game must not end before."""
    def probe():
        if not game.running():
            fail("the game ended (status %d) before %s: %s" % (game.returncode, what, game.error_text()))
        return find_window(match)

    def explain():
        seen = []
        find_window(lambda w: seen.append((w.name, w.instance, w.width, w.height)))
        return "windows (name, class, width, height) %s; the game wrote: %s" % (seen, game.error_text())
    return poll(what, probe, 20, explain=explain)


def wait_for_game_window(game, width, height, at_origin=False):
    window = wait_for_window(game, "the game window of %dx%d" % (width, height),
                             lambda w: (w.name, w.instance, w.width, w.height) == GAME_WINDOW + (width, height))
    if at_origin and (window.x, window.y) != (0, 0):
        fail("the window of %dx%d is at (%d, %d), not at the origin" % (width, height, window.x, window.y))
    return window


def close_by_right_click(game):
    window = game_window() or fail("no game window to click")
    run(["xdotool", "mousemove", "--window", window.id, "100", "100", "click", "3"])
    game.expect_clean_exit("a right click")


def read_window(wid="root", rect=None):
    """RGB bytes of what the window (by default the screen) or a rectangle
    (width, height, left, top) of it shows, exactly; None while it is unmapped."""
    crop = ["-crop", "%dx%d+%d+%d" % rect] if rect else []
    result = subprocess.run(["import", "-silent", "-window", wid] + crop + ["-depth", "8", "rgb:-"],
                            capture_output=True, timeout=30)
    if result.returncode != 0 and wid == "root":
        fail("import cannot read the screen: " + result.stderr.decode("utf-8", "replace"))
    return result.stdout if result.returncode == 0 else None


def enlarge(rgb, width, height, factor):
    rows = (b"".join(rgb[3 * (y * width + x):3 * (y * width + x + 1)] * factor for x in range(width))
            for y in range(height))
    return b"".join(row * factor for row in rows)


def simulated_title(sim, folder):
    """The title page kestrova-sim presents on its first frame for the folder's data, as RGB bytes."""
    png = os.path.join(folder.path, "title.png")
    run([sim, "--frames", "1", "--png", "1:" + png, "--data", folder.data])
    rgb = run(["stream", "-map", "rgb", "-storage-type", "char", "png:" + png, "-"])
    if len(rgb) != 3 * PAGE_WIDTH * PAGE_HEIGHT:
        fail("%s: not a %dx%d page" % (png, PAGE_WIDTH, PAGE_HEIGHT))
    return rgb


def hold(key, seconds=None, what=None, probe=None):
    """Holds a key for some seconds, or until probe() shows the game took it:
    the game polls the keyboard once a frame, and may miss a short press."""
    run(["xdotool", "keydown", key])
    try:
        return poll(what, probe, timeout=15, interval=0.1) if probe else time.sleep(seconds)
    finally:
        run(["xdotool", "keyup", key])
