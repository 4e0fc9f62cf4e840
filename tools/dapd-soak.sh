#!/usr/bin/env bash
# The control server's soak: dapd (the built program) against two simulated
# units on loopback for SECONDS (default 600), clients connecting and
# leaving all the time and one unit dropping its connections every 20 s.
# Prints dapd's memory at the start and the end and how often a client was
# not told of a change or a drop; exits non-zero on a crash, a miss or
# memory growth of 5 % or more. Run by hand, not in CI.
# Usage: tools/dapd-soak.sh [SECONDS]   (BUILD_DIR defaults to ./build)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
SECONDS_TO_RUN="${1:-600}"
cmake --build "$BUILD_DIR" --target bench_dapd dapd >/dev/null
exec "$BUILD_DIR/bench/bench_dapd" --soak "$SECONDS_TO_RUN"
