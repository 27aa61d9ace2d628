"""The desktop integration files: the desktop entry and the metainfo pass their
validators without a warning, the manual formats without one and lists exactly the options that
`kestrova --help` prints, the metainfo's release is the build's version, the
names the files give each other exist, and the icons are PNG files of their
folder's size, the 32-pixel one the window icon's very pixels.

usage: check_desktop.py KESTROVA SOURCE_DIR VERSION"""

import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zlib

SKIP = 77
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def validate(command):
    run = subprocess.run(command, capture_output=True, text=True)
    said = (run.stdout + run.stderr).strip()
    # desktop-file-validate exits 0 after warnings; hints and appstreamcli's infos are fine.
    bad = [line for line in said.splitlines() if re.match(r"\S+: (error|warning)|[EW]: ", line)]
    check(run.returncode == 0 and not bad, f"{' '.join(command)} says:\n{said}")


def man_options(page):
    """The options the manual's OPTIONS section gives a paragraph of its own."""
    section = re.search(r"^\.SH OPTIONS\n(.*?)^\.SH ", page, re.S | re.M).group(1)
    tags = re.findall(r"^\.TP[^\n]*\n\.BI? ([^\n]*)", section, re.M)
    return {re.match(r"[^ ]*", tag.replace("\\-", "-")).group(0) for tag in tags}


def png_pixels(path):
    """Width, height, palette and the rows of an 8-bit paletted PNG, checking every chunk's CRC."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "no PNG signature"
    chunks, at = {}, 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        assert zlib.crc32(kind + body) == struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0], \
            f"bad CRC in {kind}"
        chunks[kind] = chunks.get(kind, b"") + body
        at += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    assert (depth, colour) == (8, 3) and b"IEND" in chunks, "not an 8-bit paletted PNG"
    raw = zlib.decompress(chunks[b"IDAT"])
    assert len(raw) == height * (width + 1) and all(raw[y * (width + 1)] == 0 for y in range(height)), \
        "rows are not unfiltered rows of the width"
    rows = [raw[y * (width + 1) + 1:(y + 1) * (width + 1)] for y in range(height)]
    return width, height, chunks[b"PLTE"], rows


def bmp_pixels(path):
    """Palette (as RGB) and top-down rows of an 8-bit BMP."""
    data = open(path, "rb").read()
    offset, = struct.unpack("<I", data[10:14])
    width, height = struct.unpack("<ii", data[18:26])
    palette = b"".join(data[54 + 4 * i:57 + 4 * i][::-1] for i in range(256))
    stride = (width + 3) & ~3
    rows = [data[offset + y * stride:offset + y * stride + width] for y in range(height)]
    return palette, rows[::-1]


def main():
    kestrova, source, version = sys.argv[1:4]
    dist = os.path.join(source, "dist")
    missing = [tool for tool in ("desktop-file-validate", "appstreamcli", "groff") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (Debian: desktop-file-utils, appstream, groff-base)")
        return SKIP

    desktops = glob.glob(os.path.join(dist, "*.desktop"))
    metainfos = glob.glob(os.path.join(dist, "*.metainfo.xml"))
    check(len(desktops) == 1 and len(metainfos) == 1, f"dist holds {desktops} and {metainfos}, one of each expected")
    for desktop in desktops:
        validate(["desktop-file-validate", desktop])
    for metainfo in metainfos:
        validate(["appstreamcli", "validate", "--no-net", metainfo])
        try:
            root = ET.parse(metainfo).getroot()
        except ET.ParseError as error:
            check(False, f"{metainfo}: {error}")
            continue
        ident = root.findtext("id")
        check(os.path.basename(metainfo) == f"{ident}.metainfo.xml", f"{metainfo} is not named after its id {ident}")
        launch = root.findtext("launchable")
        check([os.path.basename(d) for d in desktops] == [launch], f"{metainfo} launches {launch}, not in dist")
        releases = root.findall("releases/release")
        check(releases and releases[0].get("version") == version,
              f"{metainfo}'s newest release is not the project's version {version}")

    for desktop in desktops:
        icon = re.search(r"^Icon=(.*)$", open(desktop).read(), re.M).group(1)
        icons = sorted(glob.glob(os.path.join(source, "assets/icons/hicolor/*/apps", icon + ".png")))
        check(any("/32x32/" in path for path in icons), f"{desktop} names the icon {icon}, found as {icons}")
        for path in icons:
            try:
                width, height, palette, rows = png_pixels(path)
                size = os.path.basename(os.path.dirname(os.path.dirname(path)))
                check(f"{width}x{height}" == size, f"{path} is {width}x{height}")
                if size == "32x32":
                    bmp_palette, bmp_rows = bmp_pixels(os.path.join(source, "assets/icon.bmp"))
                    check(palette == bmp_palette and rows == bmp_rows, f"{path} is not assets/icon.bmp's picture")
            except (AssertionError, KeyError, zlib.error, struct.error) as error:
                check(False, f"{path}: {error!r}")

    usage = subprocess.run([kestrova, "--help"], capture_output=True, text=True, check=True).stdout
    helped = set(re.findall(r"^  (--[a-z-]+)", usage, re.M))
    manual = os.path.join(dist, "kestrova.6")
    run = subprocess.run(["groff", "-man", "-ww", "-z", "-Tutf8", manual], capture_output=True, text=True)
    check(run.returncode == 0 and not run.stderr, f"groff warns about {manual}:\n{run.stderr}")
    described = man_options(open(manual).read())
    check(helped and helped == described,
          f"{manual} lacks {sorted(helped - described)} and has {sorted(described - helped)} beyond --help")

    for message in failures:
        print("FAIL: " + message, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
