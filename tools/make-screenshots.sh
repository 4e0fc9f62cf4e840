#!/usr/bin/env bash
# Makes the README's pictures under docs/: the main window and a few pages,
# taken against a simulated unit with demonstration settings, at 1024 x 600.
# Needs a build (./run.sh or ./test.sh builds one); no display is needed.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
OUT="$ROOT/docs"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

cd "$BUILD_DIR/run"
shoot() { # page index, file name, extra options...
    local page="$1" name="$2"
    shift 2
    QT_QPA_PLATFORM=offscreen ./dap-pageshot --demo --wait 2500 --page "$page" --out "$TMP" "$@" >/dev/null
    cp "$TMP/page$(printf %02d "$page").png" "$OUT/$name"
    echo "wrote docs/$name"
}
mkdir -p "$OUT"
shoot 7 main-window.png
shoot 4 input-filter.png
shoot 8 matrix.png
shoot 14 output-limiter.png
