#!/usr/bin/env bash
# Installs what is missing and builds the Debian package, in Debian's games
# layout, as build/deb/kestrova_VERSION_ARCH.deb. With --check (the test
# suite's step): lintian passes it without errors or warnings, its desktop
# entry and metainfo pass their validators, and the packaged simulator,
# unpacked into a scratch root and run from elsewhere, plays the game from the
# data the package holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset deb >/dev/null
cmake --build --preset deb
rm -f build/deb/kestrova_*.deb
cpack --preset deb >/dev/null
deb=$(echo build/deb/kestrova_*.deb)
if [ "${1:-}" = --check ]; then
  lintian --fail-on error,warning "$deb"
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg-deb -x "$deb" "$root"
  desktop-file-validate "$root"/usr/share/applications/*.desktop
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
  want=$(build/deb/kestrova-sim --data data --frames 120)
  got=$(cd "$root" && HOME="$root" "$root/usr/games/kestrova-sim" --frames 120)
  [ "$got" = "$want" ] || { echo "the packaged game does not play as the built one" >&2; exit 1; }
  echo "$deb: lintian, validators and the packaged game all pass"
else
  echo "Built $deb; install it with: sudo apt install ./$deb"
fi
