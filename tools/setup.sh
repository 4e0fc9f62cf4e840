#!/usr/bin/env bash
# Installs what the build needs (Debian 12), configures and builds.
# Sourced by run.sh, test.sh and tools/ci-sanitize.sh; BUILD_DIR and CMAKE_EXTRA
# may be set before. DAP_WITH_SANITIZERS=1 (implied in CI) also installs clang
# with its sanitizer and fuzzer runtimes; DAP_SETUP_INSTALL_ONLY=1 installs and
# stops there.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite libqt5svg5-dev
    qttools5-dev qttools5-dev-tools libqt5websockets5-dev
    libbenchmark-dev
    xvfb xauth x11-utils imagemagick fonts-noto-cjk fonts-liberation
)
if [ "${CI:-}" = "true" ] || [ "${DAP_WITH_SANITIZERS:-}" = "1" ]; then
    # The sanitizer build and the fuzz targets: clang, its ASan/UBSan/libFuzzer
    # runtimes, and llvm-symbolizer for readable reports.
    PACKAGES+=(clang libclang-rt-14-dev llvm)
fi

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build() {
    local werror=OFF
    [ "${CI:-}" = "true" ] && werror=ON
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DDAP_WERROR=$werror ${CMAKE_EXTRA:-}
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}

install_missing
if [ "${DAP_SETUP_INSTALL_ONLY:-}" != "1" ]; then
    configure_and_build
fi
