#!/usr/bin/env bash
# tools/screenshot.sh [out.png] [program arguments]
# Starts the built program on a private X server (Xvfb) with a private home and configuration
# folder, waits until its panel shows and saves the screen. A bare X server has no notification
# area: when the small tray host trayer is installed (Debian package "trayer"), it runs along
# the bottom edge and the tray icon shows in it; without it the screenshot shows the panel alone.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot.png}
shift || true
bin=${SCRIVEL_BUILD_DIR:-build}/bin
[ -x "$bin/InkoraScrivel" ] && [ -x "$bin/scrivel_screengrab" ] || {
  echo "screenshot: build InkoraScrivel and scrivel_screengrab first" >&2; exit 1; }
tray=$(command -v trayer || true)
[ -n "$tray" ] || echo "screenshot: no tray host; 'apt-get install trayer' shows the tray icon too" >&2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='*.debug=false;scrivel.app.state.info=true'
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  if [ -n "$2" ]; then
    "$2" --edge bottom --align right --widthtype request --height 32 --SetDockType false \
      --tint 0xdde3ea --transparent true --alpha 0 >"$HOME/tray.log" 2>&1 & trayPid=$!
    sleep 0.5
  fi
  "$0/InkoraScrivel" "${@:3}" 2>"$HOME/log" & pid=$!
  for i in $(seq 1 100); do grep -q "panel shown" "$HOME/log" 2>/dev/null && break; sleep 0.1; done
  sleep 1
  "$0/scrivel_screengrab" "$1"; rc=$?
  kill -TERM $pid; wait $pid; echo "screenshot: program ended with $?"
  [ -z "${trayPid:-}" ] || kill -TERM $trayPid
  cat "$HOME/log" | grep -v "^$" | head -20
  exit $rc' "$bin" "$out" "$tray" "$@"
echo "screenshot: $out"
