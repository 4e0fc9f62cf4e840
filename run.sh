#!/usr/bin/env bash
# Sets up the machine, builds, and runs dapcontrol against two simulated units
# on loopback. Without a display it runs under Xvfb and writes a screenshot of
# the window to the file named by SCREENSHOT (default dapcontrol.png).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ROOT/tools/setup.sh"

RUN_DIR="$BUILD_DIR/run"
"$RUN_DIR/dapsim" --units 2 &
SIM_PID=$!
trap 'kill $SIM_PID 2>/dev/null || true' EXIT

cd "$RUN_DIR"
if [ -n "${DISPLAY:-}" ]; then
    ./dapcontrol
else
    SHOT="${SCREENSHOT:-$ROOT/dapcontrol.png}"
    echo "== no display: running under Xvfb, screenshot goes to $SHOT"
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        ./dapcontrol & APP=\$!
        for i in \$(seq 1 40); do
            xwininfo -root -tree 2>/dev/null | grep -q 'Digital Audio Processor' && break
            sleep 0.25
        done
        sleep ${SHOT_DELAY:-3}
        import -window root '$SHOT'
        kill \$APP"
    echo "== screenshot written: $SHOT"
fi
