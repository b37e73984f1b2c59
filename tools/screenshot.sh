#!/usr/bin/env bash
# tools/screenshot.sh [out.png] [program arguments]
# Starts the built program on a private X server (Xvfb) with a private home and configuration
# folder, waits until its panel shows and saves the screen. A bare X server has no notification
# area, so the tray icon only shows when a tray host runs on the display.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot.png}
shift || true
bin=${SCRIVEL_BUILD_DIR:-build}/bin
[ -x "$bin/InkoraScrivel" ] && [ -x "$bin/scrivel_screengrab" ] || {
  echo "screenshot: build InkoraScrivel and scrivel_screengrab first" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
export QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='*.debug=false;scrivel.app.state.info=true'
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$0/InkoraScrivel" "${@:2}" 2>"$HOME/log" & pid=$!
  for i in $(seq 1 100); do grep -q "panel shown" "$HOME/log" 2>/dev/null && break; sleep 0.1; done
  sleep 1
  "$0/scrivel_screengrab" "$1"; rc=$?
  kill -TERM $pid; wait $pid; echo "screenshot: program ended with $?"
  cat "$HOME/log" | grep -v "^$" | head -20
  exit $rc' "$bin" "$out" "$@"
echo "screenshot: $out"
