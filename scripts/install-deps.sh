#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build, the game and the tests need,
# only those that are missing; sudo only when not root.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config python3 libsdl2-dev libsdl2-image-dev libgtk-3-dev
          libgtest-dev libbenchmark-dev fonts-ipafont-gothic xvfb xauth xdotool x11-utils x11-apps imagemagick
          clang libclang-rt-14-dev valgrind zlib1g-dev desktop-file-utils appstream groff-base
          lintian dpkg-dev file weston gettext
          postgresql libpqxx-dev libcpp-httplib-dev nlohmann-json3-dev libcurl4-openssl-dev)
if [ "${KESTROVA_WEB:-0}" = 1 ]; then
  packages+=(emscripten chromium)
  # A node that came with its own npm (from another package source) stays as it is.
  command -v npm >/dev/null || packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
