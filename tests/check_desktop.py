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
    """Size (WIDTHxHEIGHT) and RGB bytes of a PNG file as ImageMagick decodes it, a broken chunk failing."""
    size = subprocess.run(["identify", "-format", "%m %wx%h", path], capture_output=True, text=True)
    rgb = subprocess.run(["stream", "-map", "rgb", "-storage-type", "char", path, "-"], capture_output=True)
    check(size.returncode == 0 and rgb.returncode == 0 and size.stdout.startswith("PNG "),
          f"{path} is no PNG ImageMagick can read: {size.stderr}{rgb.stderr.decode()}")
    return size.stdout[4:], rgb.stdout


def bmp_pixels(path):
    """RGB bytes of an 8-bit BMP, top row first, read with its full palette as the game reads it."""
    data = open(path, "rb").read()
    offset, = struct.unpack("<I", data[10:14])
    width, height = struct.unpack("<ii", data[18:26])
    stride = (width + 3) & ~3
    rgb = b""
    for y in reversed(range(height)):
        for index in data[offset + y * stride:offset + y * stride + width]:
            rgb += data[54 + 4 * index:57 + 4 * index][::-1]
    return rgb


def main():
    kestrova, source, version = sys.argv[1:4]
    dist = os.path.join(source, "dist")
    tools = ("desktop-file-validate", "appstreamcli", "groff", "identify", "stream")
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (Debian: desktop-file-utils, appstream, groff-base, imagemagick)")
        return SKIP

    desktops = glob.glob(os.path.join(dist, "*.desktop"))
    metainfos = glob.glob(os.path.join(dist, "*.metainfo.xml"))
    check(len(desktops) == 1 and len(metainfos) == 1, f"dist holds {desktops} and {metainfos}, one of each expected")
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
        validate(["desktop-file-validate", desktop])
        icon = re.search(r"^Icon=(.*)$", open(desktop).read(), re.M).group(1)
        icons = sorted(glob.glob(os.path.join(source, "assets/icons/hicolor/*/apps", icon + ".png")))
        check(any("/32x32/" in path for path in icons), f"{desktop} names the icon {icon}, found as {icons}")
        for path in icons:
            got, rgb = png_pixels(path)
            size = os.path.basename(os.path.dirname(os.path.dirname(path)))
            check(got == size, f"{path} is {got}")
            if size == "32x32":
                check(rgb == bmp_pixels(os.path.join(source, "assets/icon.bmp")), f"{path} is not assets/icon.bmp's picture")

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
