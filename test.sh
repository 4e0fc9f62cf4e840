#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ROOT/tools/setup.sh"

if [ "${CI:-}" = "true" ]; then
    # The libraries without widgets (protocol, simulated unit, device core, page
    # and filter models, preset transfer) and dapctl must build without any GUI module.
    cmake -S "$ROOT" -B "$ROOT/build-core" -G Ninja -DDAP_CORE_ONLY=ON -DDAP_WERROR=ON
    cmake --build "$ROOT/build-core" -j "$(nproc)"
fi

(cd "$BUILD_DIR" && ctest --output-on-failure -j "$(nproc)" --timeout 300)

if [ "${CI:-}" = "true" ]; then
    # The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
    # then each fuzz target for a short run.
    "$ROOT/tools/ci-sanitize.sh"
fi
