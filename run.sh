#!/usr/bin/env bash
# Sets up the machine, builds, and runs dapcontrol against two simulated units
# on loopback (127.0.0.1 and 127.0.0.2). Without a display it runs under Xvfb,
# waits until the program has connected to the first unit and logged in, and
# writes a screenshot of the window to the file named by SCREENSHOT (default
# dapcontrol.png in the repository).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ROOT/tools/setup.sh"

RUN_DIR="$BUILD_DIR/run"
"$RUN_DIR/dapsim" --units 2 --demo &
SIM_PID=$!
trap 'kill $SIM_PID 2>/dev/null || true' EXIT

cd "$RUN_DIR"
if [ -n "${DISPLAY:-}" ]; then
    ./dapcontrol
    exit 0
fi

SHOT="${SCREENSHOT:-$ROOT/dapcontrol.png}"
case "$SHOT" in /*) ;; *) SHOT="$PWD/$SHOT" ;; esac
# A private settings folder in which the first simulated unit is the one
# selected last time, so the program connects to it by itself.
DEMO_HOME="$BUILD_DIR/demo-config"
mkdir -p "$DEMO_HOME/Tarnvale"
printf '[General]\nLastDevice=1001\n' > "$DEMO_HOME/Tarnvale/KR.conf"
LOG="$BUILD_DIR/dapcontrol-demo.log"
echo "== no display: running under Xvfb; the screenshot goes to $SHOT"
XDG_CONFIG_HOME="$DEMO_HOME" QT_LOGGING_RULES="dap.app.info=true" \
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    ./dapcontrol 2> "$0" & APP=$!
    for i in $(seq 1 120); do
        grep -q "logged in" "$0" && break
        sleep 0.25
    done
    grep -q "logged in" "$0" || echo "== warning: no login seen within 30 s" >&2
    sleep 2 # let the meters move and the page fill
    WIN=$(xwininfo -root -tree | awk "/\"Digital Audio Processor\"/ {print \$1; exit}")
    import -window "${WIN:-root}" "$1"
    kill $APP' "$LOG" "$SHOT"
echo "== screenshot written: $SHOT"
