#!/usr/bin/env bash
# ./zx run: starts zentrix-server on loopback with the demo network, prepares the demo
# station (the demo merchant, kind 3) and runs the station program against it; the
# server stops when the program ends.
#
#   scripts/run-demo.sh BUILD_DIR [program arguments...]
#
# Environment (exported by ./zx): ZENTRIX_ROOT, ZENTRIX_HOME; ZX_FRESH=1 runs the program
# on an empty station instead (first-run wizard), in $ZENTRIX_ROOT/fresh: emptied at every
# such run and kept afterwards, since the wizard ends by asking for a restart and the
# station it configured must still be there to be reopened.
# The demo database lives in $ZENTRIX_ROOT/server/demo.db: created on first use, kept.
set -euo pipefail

BUILD=${1:?usage: run-demo.sh BUILD_DIR [program arguments...]}
shift
BUILD=$(cd "$BUILD" && pwd)
: "${ZENTRIX_ROOT:=${XDG_DATA_HOME:-$HOME/.local/share}/zentrix}"
: "${ZENTRIX_HOME:=$ZENTRIX_ROOT/station}"
export ZENTRIX_ROOT ZENTRIX_HOME

SERVER=$BUILD/server/zentrix-server
STATION=$BUILD/server/zentrix-demo-station
PROGRAM=$BUILD/src/zentrix
for bin in "$SERVER" "$STATION" "$PROGRAM"; do
  [ -x "$bin" ] || { echo "run-demo: $bin is missing (build first: ./zx build)" >&2; exit 1; }
done

DATA=$ZENTRIX_ROOT/server
mkdir -p "$DATA"
LOG=$DATA/server.log
LISTEN=$(mktemp)

"$SERVER" --db "$DATA/demo.db" --listen 127.0.0.1:0 --seed demo >"$LISTEN" 2>>"$LOG" &
SERVER_PID=$!

cleanup() {
  if kill -0 "$SERVER_PID" 2>/dev/null; then
    kill "$SERVER_PID" 2>/dev/null || true
    wait "$SERVER_PID" 2>/dev/null || true
  fi
  rm -f "$LISTEN"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

line=
for _ in $(seq 1 200); do
  line=$(head -n 1 "$LISTEN" 2>/dev/null || true)
  case "$line" in listening\ *) break ;; esac
  if ! kill -0 "$SERVER_PID" 2>/dev/null; then
    echo "run-demo: zentrix-server did not start; see $LOG" >&2
    exit 1
  fi
  sleep 0.05
done
case "$line" in
  listening\ *) ;;
  *) echo "run-demo: zentrix-server does not answer; see $LOG" >&2; exit 1 ;;
esac
BASE="http://${line#listening }/"

FRESH_DIR=
if [ "${ZX_FRESH:-0}" = 1 ]; then
  FRESH_DIR=$ZENTRIX_ROOT/fresh
  rm -rf "$FRESH_DIR"
  mkdir -p "$FRESH_DIR"
  export ZENTRIX_ROOT=$FRESH_DIR ZENTRIX_HOME=$FRESH_DIR/station
  "$STATION" --base "$BASE" --fresh
else
  "$STATION" --base "$BASE"
  cat <<TXT
Demo network (server log: $LOG):
  card 6070001001, password 147258 (limit 1.500,00); card 6070001002 has no password (Enter)
  web user BOACOMPRA, password 2468
TXT
fi

status=0
"$PROGRAM" "$@" || status=$?
if [ -n "$FRESH_DIR" ]; then
  echo "run-demo: the first-run station is kept in $FRESH_DIR; open it again with:"
  echo "  ZENTRIX_ROOT=$FRESH_DIR ./zx run"
fi
exit "$status"
