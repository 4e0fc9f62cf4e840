#!/usr/bin/env bash
# Builds the Debian package and tries it as a new user would: lintian and the
# desktop and AppStream validators, then install it with apt, start the
# installed launcher under Xvfb in a fresh HOME, check that the window appears
# and that the program made its files in the per-user folder, and remove the
# package again. Needs root (it installs a package); CI runs it.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

need=()
for p in lintian appstream desktop-file-utils dpkg-dev xvfb xauth x11-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "== installing: ${need[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

echo "== building the package"
rm -f "$BUILD_DIR"/dapcontrol_*.deb
cmake --build "$BUILD_DIR" --target package >/dev/null
DEB="$(ls "$BUILD_DIR"/dapcontrol_*.deb)"
echo "== $(basename "$DEB")"

echo "== lintian"
lintian --allow-root --fail-on error "$DEB"
echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$ROOT/packaging/dapcontrol.desktop"
appstreamcli validate --no-net "$ROOT"/packaging/*.metainfo.xml

echo "== installing"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$DEB" >/dev/null
cleanup() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq dapcontrol >/dev/null || true
    rm -rf "$FRESH_HOME"
}
FRESH_HOME="$(mktemp -d)"
trap cleanup EXIT

echo "== the command-line tool"
dapctl --help | grep -q "dapctl COMMAND" || { echo "== FAIL: dapctl --help"; exit 1; }
[ -e /usr/share/man/man1/dapctl.1.gz ] || { echo "== FAIL: no dapctl manual page"; exit 1; }

echo "== the control server"
env -i PATH=/usr/bin:/bin HOME="$FRESH_HOME" LANG=C.UTF-8 dapd --help | grep -q "Usage: dapd" ||
    { echo "== FAIL: dapd --help"; exit 1; }
[ -e /usr/share/man/man1/dapd.1.gz ] || { echo "== FAIL: no dapd manual page"; exit 1; }
[ -e /usr/lib/systemd/user/dapd.service ] || { echo "== FAIL: no dapd user service"; exit 1; }

echo "== starting the installed launcher in a fresh HOME"
env -i PATH=/usr/bin:/bin HOME="$FRESH_HOME" LANG=C.UTF-8 \
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    dapcontrol 2>/dev/null & APP=$!
    for i in $(seq 1 60); do
        xwininfo -root -tree | grep -q "\"Digital Audio Processor\"" && break
        sleep 0.5
    done
    found=1
    xwininfo -root -tree | grep -q "\"Digital Audio Processor\"" || found=0
    kill $APP 2>/dev/null || true
    wait $APP 2>/dev/null || true
    [ $found -eq 1 ]' || { echo "== FAIL: no window appeared"; exit 1; }
echo "== the window appeared"

DATA="$FRESH_HOME/.local/share/dapcontrol"
for f in cfg.dat translations/language.dat; do
    [ -e "$DATA/$f" ] || { echo "== FAIL: $DATA/$f was not made"; exit 1; }
done
echo "== cfg.dat and the language list are in the per-user folder"
[ ! -e /usr/lib/dapcontrol/cfg.dat ] || { echo "== FAIL: wrote next to the binary"; exit 1; }
echo "== package test passed"
