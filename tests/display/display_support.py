"""Helpers for the real-window tests: a temporary game folder, the X windows
of the running game, exact read-back of what they show, and key presses.
Every wait is a bounded poll."""

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


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def poll(what, probe, timeout, interval=0.05, explain=None):
    """Calls probe() until it returns something true; fails after timeout
    seconds, saying what explain() tells about the last try."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what + (": " + explain() if explain else ""))
        time.sleep(interval)


def wait_for_image(what, read, want, width, timeout=15):
    """Polls read() until it gives exactly the RGB bytes `want` (rows of `width`)."""
    last = [b""]

    def probe():
        last[0] = read() or b""
        return last[0] == want

    poll(what, probe, timeout, interval=0.1, explain=lambda: describe_difference(last[0], want, width))


class XServer:
    """A private Xvfb for one test, so that tests running side by side never
    see each other's windows or steal each other's keyboard focus."""

    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (width, height), "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                self.process.kill()
                fail("Xvfb did not start")
            number += chunk
        os.close(read_end)
        os.environ["DISPLAY"] = ":" + number.decode().strip()
        os.environ.pop("WAYLAND_DISPLAY", None)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(timeout=10)


class GameFolder:
    """A fresh working folder with a copy of the repository's data/."""

    def __init__(self, source_dir):
        self.path = tempfile.mkdtemp(prefix="kestrova-display-")
        self.data = os.path.join(self.path, "data")
        shutil.copytree(os.path.join(source_dir, "data"), self.data,
                        ignore=shutil.ignore_patterns("score.dat*"))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.path, ignore_errors=True)


class Game:
    """The real binary, run in a folder; killed if a test leaves it running."""

    def __init__(self, binary, args, folder):
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        self.stderr_path = os.path.join(folder.path, "stderr.txt")
        self._stderr = open(self.stderr_path, "wb")
        # A group of its own: SDL shows message boxes from a child process.
        self.process = subprocess.Popen([binary] + args, cwd=folder.path, env=env, start_new_session=True,
                                        stdout=subprocess.DEVNULL, stderr=self._stderr)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        if self.process.poll() is None:
            self.process.wait(timeout=10)
        self._stderr.close()

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            fail("the game did not exit within %s s" % timeout)

    def stderr(self):
        self._stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")


def run(args, check=True):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    if check and result.returncode != 0:
        fail("%s: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace")))
    return result.stdout


class Window:
    def __init__(self, wid, name, instance, width, height, x, y):
        self.id, self.name, self.instance = wid, name, instance
        self.width, self.height, self.x, self.y = width, height, x, y


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


def windows():
    """Every named window with a class; names are read as UTF-8, whatever
    locale the game switched to."""
    found = []
    for line in _window_tree().splitlines():
        m = _TREE_LINE.match(line)
        if m:
            found.append(Window(m.group(1), m.group(2), m.group(3) or "", int(m.group(4)), int(m.group(5)),
                                int(m.group(6)), int(m.group(7))))
    return found


def find_window(name=None, instance=None):
    for w in windows():
        if (name is None or w.name == name) and (instance is None or w.instance == instance):
            return w
    return None


def wait_for_game_window(game, width, height, timeout=20):
    """The game's main window once it has the given size."""
    def probe():
        if not game.running():
            fail("the game ended early: " + game.stderr())
        w = find_window(name="Kestrova App", instance="kestrova")
        return w if w and (w.width, w.height) == (width, height) else None
    return poll("the game window of %dx%d" % (width, height), probe, timeout)


def read_game_window():
    """What the game's main window shows now; None while there is none to read.
    Looked up afresh each time: the window may be replaced once the game has
    chosen its renderer."""
    window = find_window(name="Kestrova App", instance="kestrova")
    image = read_window(window.id) if window else None
    return image[2] if image else None


def right_click_game_window():
    window = find_window(name="Kestrova App", instance="kestrova")
    if window is None:
        fail("no game window to click")
    run(["xdotool", "mousemove", "--window", window.id, "100", "100", "click", "3"])


def screen_size():
    out = run(["xwininfo", "-root"]).decode()
    return (int(re.search(r"Width: (\d+)", out).group(1)), int(re.search(r"Height: (\d+)", out).group(1)))


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
        out = rgb[3 * width * y:3 * width * (y + 1)]
        for channel, mask in enumerate(masks):
            # Each 8-bit channel is one byte of the pixel.
            shift = (mask & -mask).bit_length() - 1
            index = shift // 8 if byte_order == 0 else size - 1 - shift // 8
            out[channel::3] = row[index::size]
        rgb[3 * width * y:3 * width * (y + 1)] = out
    return width, height, bytes(rgb)


def read_window(wid):
    """What the window shows, exactly, or None when it cannot be read (not mapped yet)."""
    result = subprocess.run(["xwd", "-silent", "-id", wid], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=30)
    if result.returncode != 0 or len(result.stdout) < 100:
        return None
    return _read_xwd(result.stdout)


def read_root():
    return _read_xwd(run(["xwd", "-silent", "-root"]))


def read_png(path):
    """(width, height, RGB bytes) of an 8-bit PNG: grey, RGB, palette or RGBA, not interlaced."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + ": not a PNG")
    pos, idat, palette = 8, b"", b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = {0: 1, 2: 3, 3: 1, 6: 4}[color]
    if depth != 8 or interlace:
        fail(path + ": unsupported PNG layout")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
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
        rows.append(bytes(line))
        previous = line
    rgb = bytearray()
    for line in rows:
        if color == 2:
            rgb += line
        elif color == 6:
            for x in range(width):
                rgb += line[4 * x:4 * x + 3]
        elif color == 0:
            for v in line:
                rgb += bytes((v, v, v))
        else:
            for v in line:
                rgb += palette[3 * v:3 * v + 3]
    return width, height, bytes(rgb)


def simulated_page(sim, folder, frame):
    """The page kestrova-sim presents at that frame for the folder's data, as RGB."""
    png = os.path.join(folder.path, "frame%d.png" % frame)
    run([sim, "--frames", str(frame), "--png", "%d:%s" % (frame, png), "--data", folder.data])
    width, height, rgb = read_png(png)
    if (width, height) != (PAGE_WIDTH, PAGE_HEIGHT):
        fail("simulated page is %dx%d" % (width, height))
    return rgb


def crop(image, left, top, width, height):
    """RGB bytes of a rectangle of an image; None if it does not lie inside."""
    w, h, rgb = image
    if left < 0 or top < 0 or left + width > w or top + height > h:
        return None
    return b"".join(rgb[3 * ((top + y) * w + left):3 * ((top + y) * w + left + width)] for y in range(height))


def enlarge(rgb, width, height, factor):
    out = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += rgb[3 * (y * width + x):3 * (y * width + x + 1)] * factor
        out += bytes(row) * factor
    return bytes(out)


def describe_difference(got, expected, width):
    diffs = [i // 3 for i in range(0, min(len(got), len(expected)), 3) if got[i:i + 3] != expected[i:i + 3]]
    if not diffs:
        return "sizes %d and %d" % (len(got), len(expected))
    first = diffs[0]
    return "%d pixels differ, first at (%d, %d)" % (len(diffs), first % width, first // width)


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
