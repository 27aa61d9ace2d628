"""Helpers for the real-window tests: a private X server, a temporary game
folder, the game's X windows, exact read-back of what they show and of what
the game plays, and key presses. Every wait is a bounded poll."""

import collections
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import wave
import zlib

PAGE_WIDTH, PAGE_HEIGHT = 640, 480
RATE = 8000  # the music's samples a second, and so the output's
GAME_WINDOW = ("Kestrova App", "kestrova")  # the main window's name and class instance
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


def wait_for_image(what, read, want, width, timeout=15):
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
    poll(what, probe, timeout, 0.1, explain)


def run_test(body, screen):
    """Runs body(kestrova, sim, folder) with the programs the command line
    names, in a fresh folder with a copy of the repository's data/ and the
    settings folder (XDG_CONFIG_HOME) config/, on an X
    server of its own with a screen of that size: tests side by side must not
    see each other's windows or take each other's keyboard focus. Xvfb picks
    a free display number itself, as one chosen here could race with another
    test's. Without -noreset the server resets whenever its last client
    leaves, and a game connecting meanwhile finds no display."""
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
    """The real binary, run in a folder, its standard error kept in a file
    and, with `sound`, what it plays in another: SDL's disk driver writes the
    samples as they play, in real time. Its process group is killed when the
    test leaves it: SDL shows message boxes from a child process."""

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

    def wait_exit(self, timeout=10):
        try:
            return self.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            fail("the game did not exit within %s s" % timeout)

    def expect_clean_exit(self, after, timeout=10):
        if self.wait_exit(timeout) != 0:
            fail("exit status %d after %s: %s" % (self.returncode, after, self.error_text()))

    def error_text(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def played(self):
        """How many samples it has played so far."""
        return os.path.getsize(self.audio_path) // 2 if os.path.exists(self.audio_path) else 0

    def wait_played(self, samples):
        poll("%d samples of sound" % samples, lambda: self.played() >= samples, timeout=30)
        return self.played()

    def samples(self):
        with open(self.audio_path, "rb") as f:
            data = f.read()
        return struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])


def wave_samples(folder, name):
    """An 8-bit wave's samples among the assets, as the game plays them: (x - 128) * 256."""
    with wave.open(os.path.join(folder.source, "assets", name)) as w:
        return [(b - 128) * 256 for b in w.readframes(w.getnframes())]


def first_sound(samples):
    return next(i for i, v in enumerate(samples) if v != 0)


def run(args, check=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    if check and result.returncode != 0:
        fail("%s: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace")))
    return result.stdout


def _windows():
    """Every window, names read as UTF-8 whatever locale the game switched
    to. The walk fails when a window it has listed is destroyed before it is
    queried (the game replacing its window, a dialog closing): try again."""
    for _ in range(50):
        result = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, timeout=30)
        if result.returncode == 0:
            lines = map(_TREE_LINE.match, result.stdout.decode("utf-8", "replace").splitlines())
            return [Window(m.group(1), m.group(2), m.group(3), *map(int, m.group(4, 5, 6, 7))) for m in lines if m]
        if b"Bad Window" not in result.stderr and b"Bad Drawable" not in result.stderr:
            break
        time.sleep(0.02)
    fail("xwininfo: " + result.stderr.decode("utf-8", "replace"))


def find_window(match):
    return next((window for window in _windows() if match(window)), None)


def game_window():
    """Looked up afresh each time: the game may replace its window once it has chosen its renderer."""
    return find_window(lambda w: (w.name, w.instance) == GAME_WINDOW)


def wait_for_window(game, what, match, timeout=20):
    """The first window match(window) accepts, once there is one; the game must not end before."""
    def probe():
        if not game.running():
            fail("the game ended (status %d) before %s: %s" % (game.returncode, what, game.error_text()))
        return find_window(match)

    def explain():
        windows = [(w.name, w.instance, w.width, w.height) for w in _windows()]
        return "windows (name, class, width, height) %s; the game wrote: %s" % (windows, game.error_text())
    return poll(what, probe, timeout, explain=explain)


def wait_for_game_window(game, width, height, at_origin=False):
    window = wait_for_window(game, "the game window of %dx%d" % (width, height),
                             lambda w: (w.name, w.instance) == GAME_WINDOW and (w.width, w.height) == (width, height))
    if at_origin and (window.x, window.y) != (0, 0):
        fail("the window of %dx%d is at (%d, %d), not at the origin" % (width, height, window.x, window.y))
    return window


def close_by_right_click(game, timeout=10):
    window = game_window() or fail("no game window to click")
    run(["xdotool", "mousemove", "--window", window.id, "100", "100", "click", "3"])
    game.expect_clean_exit("a right click", timeout)


def read_window(wid=None):
    """(width, height, RGB bytes) of what the window shows, exactly, or None
    when it cannot be read (not mapped yet). xwd gives 8-bit TrueColor
    channels in 24 or 32 bits a pixel (24 where visuals mix)."""
    result = subprocess.run(["xwd", "-silent"] + (["-id", wid] if wid else ["-root"]), stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=30)
    data = result.stdout
    if result.returncode != 0 or len(data) < 100:
        return None
    f = struct.unpack(">25I", data[:100])
    width, height, size, stride, masks = f[4], f[5], f[11] // 8, f[12], f[14:17]
    if size not in (3, 4) or any(m not in (0xFF, 0xFF00, 0xFF0000, 0xFF000000) for m in masks):
        fail("xwd: unexpected pixel layout: %d bits, masks %s" % (8 * size, masks))
    # Each channel is one byte of the pixel, counted from either end by the byte order.
    offsets = [(m.bit_length() - 1) // 8 if f[7] == 0 else size - 1 - (m.bit_length() - 1) // 8 for m in masks]
    start, rgb = f[0] + 12 * f[19], bytearray(3 * width * height)
    for y in range(height):
        row = data[start + y * stride:start + y * stride + size * width]
        for channel, offset in enumerate(offsets):
            rgb[3 * width * y + channel:3 * width * (y + 1):3] = row[offset::size]
    return width, height, bytes(rgb)


def read_game_window():
    """What the game's main window shows now; None while there is none to read."""
    window = game_window()
    image = read_window(window.id) if window else None
    return image[2] if image else None


def read_screen(left=0, top=0, width=None, height=None):
    """RGB bytes of a rectangle of the screen, by default all of it."""
    return crop(read_window() or fail("xwd cannot read the screen"), left, top, width, height)


def crop(image, left, top, width=None, height=None):
    """RGB bytes of a rectangle of an image; None if it does not lie inside."""
    w, h, rgb = image
    width, height = width or w - left, height or h - top
    if left < 0 or top < 0 or left + width > w or top + height > h:
        return None
    return b"".join(rgb[3 * ((top + y) * w + left):3 * ((top + y) * w + left + width)] for y in range(height))


def enlarge(rgb, width, height, factor):
    rows = (b"".join(rgb[3 * (y * width + x):3 * (y * width + x + 1)] * factor for x in range(width))
            for y in range(height))
    return b"".join(row * factor for row in rows)


def simulated_page(sim, folder, frame):
    """The page kestrova-sim presents at that frame for the folder's data, as
    RGB bytes; kestrova-sim writes it as an 8-bit RGB PNG."""
    png = os.path.join(folder.path, "frame%d.png" % frame)
    run([sim, "--frames", str(frame), "--png", "%d:%s" % (frame, png), "--data", folder.data])
    with open(png, "rb") as f:
        data = f.read()
    chunks, pos = collections.defaultdict(bytes), 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks[kind] += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    if not data.startswith(b"\x89PNG\r\n\x1a\n") or chunks[b"IHDR"] != struct.pack(
            ">IIBBBBB", PAGE_WIDTH, PAGE_HEIGHT, 8, 2, 0, 0, 0):
        fail("%s: not a %dx%d 8-bit RGB PNG" % (png, PAGE_WIDTH, PAGE_HEIGHT))
    raw, stride = zlib.decompress(chunks[b"IDAT"]), 3 * PAGE_WIDTH
    rgb, previous = bytearray(), bytearray(stride)
    for y in range(PAGE_HEIGHT):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride if kind else 0):  # undo the row's filter
            a, b, c = (line[i - 3] if i >= 3 else 0), previous[i], (previous[i - 3] if i >= 3 else 0)
            if kind == 4:
                p = a + b - c
                a = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (a, b, (a + b) // 2, a)[kind - 1]) & 0xFF
        rgb += line
        previous = line
    return bytes(rgb)


def hold(key, seconds):
    """Holds a key for a stretch of play (a recording: what the game made of it is checked afterwards)."""
    run(["xdotool", "keydown", key])
    time.sleep(seconds)
    run(["xdotool", "keyup", key])


def hold_until(key, what, probe, timeout=15):
    """Holds a key until the game shows it took it: the game polls the keyboard
    once a frame, and a loaded machine may skip the frames of a short press."""
    run(["xdotool", "keydown", key])
    try:
        return poll(what, probe, timeout, interval=0.1)
    finally:
        run(["xdotool", "keyup", key])
