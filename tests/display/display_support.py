"""Helpers for the real-window tests: a private X server, a temporary game
folder, the game's X windows, exact read-back of what they show, and key
presses. Every wait is a bounded poll."""

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
import zlib

PAGE_WIDTH, PAGE_HEIGHT = 640, 480
GAME_WINDOW = ("Kestrova App", "kestrova")  # the main window's name and class instance


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def within(seconds, probe, interval=0.05):
    """probe()'s first true value within `seconds`, else its last false one."""
    deadline = time.monotonic() + seconds
    while True:
        value = probe()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)


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
        got = last[0]
        diffs = [i // 3 for i in range(0, min(len(got), len(want)), 3) if got[i:i + 3] != want[i:i + 3]]
        if not diffs:
            return "sizes %d and %d" % (len(got), len(want))
        return "%d pixels differ, first at (%d, %d)" % (len(diffs), diffs[0] % width, diffs[0] // width)
    poll(what, probe, timeout, interval=0.1, explain=explain)


Folder = collections.namedtuple("Folder", "path data source")  # the test's folder, its data/, the repository


def run_test(body, screen="1024x768"):
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
        ready, _, _ = select.select([xvfb.stdout], [], [], 20)
        number = xvfb.stdout.readline().strip() if ready else b""
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
    """The real binary, run in a folder, its standard error kept in a file.
    Its process group is killed when the test leaves it: SDL shows message
    boxes from a child process."""

    def __init__(self, binary, args, folder, env=None):
        self.stderr_path = os.path.join(folder.path, "stderr.txt")
        with open(self.stderr_path, "wb") as stderr:
            super().__init__([binary] + args, cwd=folder.path,
                             env={**os.environ, "SDL_AUDIODRIVER": "dummy", **(env or {})},
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
        status = self.wait_exit(timeout)
        if status != 0:
            fail("exit status %d after %s: %s" % (status, after, self.error_text()))

    def error_text(self):
        """What the game wrote on standard error so far."""
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")


def run(args, check=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    if check and result.returncode != 0:
        fail("%s: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace")))
    return result.stdout


Window = collections.namedtuple("Window", "id name instance width height x y")
_TREE_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": \((?:"([^"]*)" "[^"]*")?\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')


def _window_tree():
    """xwininfo's tree of every window. The walk fails when a window it has
    listed is destroyed before it is queried (the game replacing its window,
    a dialog closing), so a failed walk is tried again."""
    args = ["xwininfo", "-root", "-tree"]
    for _ in range(50):
        result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        if result.returncode == 0:
            return result.stdout.decode("utf-8", "replace")
        error = result.stderr.decode("utf-8", "replace")
        if "Bad Window" not in error and "Bad Drawable" not in error:
            break
        time.sleep(0.02)
    fail("%s: %s" % (" ".join(args), error))


def find_window(match):
    """The first window match(window) accepts. Names are read as UTF-8,
    whatever locale the game switched to."""
    for line in _window_tree().splitlines():
        m = _TREE_LINE.match(line)
        if m:
            window = Window(m.group(1), m.group(2), m.group(3), *map(int, m.group(4, 5, 6, 7)))
            if match(window):
                return window
    return None


def game_window():
    """Looked up afresh each time: the game may replace its window once it
    has chosen its renderer."""
    return find_window(lambda w: (w.name, w.instance) == GAME_WINDOW)


def wait_for_window(game, what, match, timeout=20):
    """The first window match(window) accepts, once there is one; the game must not end before."""
    def probe():
        if not game.running():
            fail("the game ended (status %d) before %s: %s" % (game.returncode, what, game.error_text()))
        return find_window(match)

    def explain():
        windows = [m.group(2, 3, 4, 5) for m in map(_TREE_LINE.match, _window_tree().splitlines()) if m]
        return "windows (name, class, width, height) %s; the game wrote: %s" % (windows, game.error_text())
    return poll(what, probe, timeout, explain=explain)


def wait_for_game_window(game, width, height):
    return wait_for_window(game, "the game window of %dx%d" % (width, height),
                           lambda w: (w.name, w.instance) == GAME_WINDOW and (w.width, w.height) == (width, height))


def read_game_window():
    """What the game's main window shows now; None while there is none to read."""
    window = game_window()
    image = read_window(window.id) if window else None
    return image[2] if image else None


def close_by_right_click(game, timeout=10):
    window = game_window()
    if window is None:
        fail("no game window to click")
    run(["xdotool", "mousemove", "--window", window.id, "100", "100", "click", "3"])
    game.expect_clean_exit("a right click", timeout)


def _read_xwd(data):
    """(width, height, RGB bytes) of an xwd dump of a TrueColor image of 8-bit
    channels, 24 or 32 bits a pixel (xwd packs 24 where visuals mix)."""
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks, ncolors = fields[14:17], fields[19]
    size = bits_per_pixel // 8
    if bits_per_pixel not in (24, 32) or any(m not in (0xFF, 0xFF00, 0xFF0000, 0xFF000000) for m in masks):
        fail("xwd: unexpected pixel layout: %d bits, masks %s" % (bits_per_pixel, masks))
    start = header_size + 12 * ncolors
    rgb = bytearray(3 * width * height)
    for y in range(height):
        row = data[start + y * bytes_per_line:start + y * bytes_per_line + size * width]
        for channel, mask in enumerate(masks):
            # Each 8-bit channel is one byte of the pixel.
            shift = (mask & -mask).bit_length() - 1
            index = shift // 8 if byte_order == 0 else size - 1 - shift // 8
            rgb[3 * width * y + channel:3 * width * (y + 1):3] = row[index::size]
    return width, height, bytes(rgb)


def read_window(wid):
    """What the window shows, exactly, or None when it cannot be read (not mapped yet)."""
    result = subprocess.run(["xwd", "-silent", "-id", wid], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            timeout=30)
    return _read_xwd(result.stdout) if result.returncode == 0 and len(result.stdout) >= 100 else None


def read_root():
    return _read_xwd(run(["xwd", "-silent", "-root"]))


def simulated_page(sim, folder, frame):
    """The page kestrova-sim presents at that frame for the folder's data, as
    RGB bytes; kestrova-sim writes it as an 8-bit RGB PNG."""
    png = os.path.join(folder.path, "frame%d.png" % frame)
    run([sim, "--frames", str(frame), "--png", "%d:%s" % (frame, png), "--data", folder.data])
    with open(png, "rb") as f:
        data = f.read()
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        fail(png + ": not a PNG")
    chunks, pos = collections.defaultdict(bytes), 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks[kind] += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    if chunks[b"IHDR"] != struct.pack(">IIBBBBB", PAGE_WIDTH, PAGE_HEIGHT, 8, 2, 0, 0, 0):
        fail("%s: not a %dx%d 8-bit RGB PNG" % (png, PAGE_WIDTH, PAGE_HEIGHT))
    raw, stride = zlib.decompress(chunks[b"IDAT"]), 3 * PAGE_WIDTH
    rgb, previous = bytearray(), bytearray(stride)
    for y in range(PAGE_HEIGHT):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b = previous[i]
            c = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rgb += line
        previous = line
    return bytes(rgb)


def crop(image, left, top, width, height):
    """RGB bytes of a rectangle of an image; None if it does not lie inside."""
    w, h, rgb = image
    if left < 0 or top < 0 or left + width > w or top + height > h:
        return None
    return b"".join(rgb[3 * ((top + y) * w + left):3 * ((top + y) * w + left + width)] for y in range(height))


def enlarge(rgb, width, height, factor):
    rows = (b"".join(rgb[3 * (y * width + x):3 * (y * width + x + 1)] * factor for x in range(width))
            for y in range(height))
    return b"".join(row * factor for row in rows)


def hold(key, seconds):
    """Holds a key for a stretch of play (a recording; what the game makes of
    it is checked afterwards, not here)."""
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
