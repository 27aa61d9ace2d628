#!/usr/bin/env bash
# Your own online board on this machine: installs what is missing, builds
# kestrova-board, keeps a PostgreSQL database of its own in
# $KESTROVA_BOARD_DIR ($XDG_DATA_HOME/kestrova/board by default; its socket
# there, no TCP port) and serves the board on http://127.0.0.1:PORT/ (8080
# unless given) until Ctrl+C, which stops the database too. With the browser
# build in build/web (scripts/web.sh builds it) its entries can be watched.
#   scripts/board.sh [PORT] [kestrova-board options...]
set -euo pipefail
cd "$(dirname "$0")/.."
port=8080
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then port=$1; shift; fi
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kestrova-board

dir=${KESTROVA_BOARD_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/kestrova/board}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# PostgreSQL refuses to run as root: then its own user keeps the database.
as_db=()
if [ "$(id -u)" -eq 0 ]; then
  as_db=(runuser -u postgres --)
  chown postgres: "$dir"
fi
if [ ! -f "$dir/db/PG_VERSION" ]; then
  "${as_db[@]}" "$bin/initdb" -D "$dir/db" -U kestrova --auth=trust >"$dir/initdb.log"
fi
"${as_db[@]}" "$bin/pg_ctl" -D "$dir/db" -l "$dir/db.log" -w \
  -o "-c listen_addresses='' -c unix_socket_directories='$dir'" start >/dev/null
trap '"${as_db[@]}" "$bin/pg_ctl" -D "$dir/db" -m fast -w stop >/dev/null' EXIT

web=()
[ -f build/web/index.html ] && web=(--web build/web)
echo "Kestrova board: http://127.0.0.1:$port/ (the database in $dir; Ctrl+C stops both)"
build/release/kestrova-board --db "host=$dir user=kestrova dbname=postgres" --listen "127.0.0.1:$port" \
  --data data "${web[@]}" "$@"
