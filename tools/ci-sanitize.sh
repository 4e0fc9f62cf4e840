#!/usr/bin/env bash
# The sanitizer build: the whole tree compiled with clang under AddressSanitizer
# and UndefinedBehaviorSanitizer (plus the fuzzer's coverage), the test suite run
# there, then every fuzz target for a short run, two at a time.
#
# Called by test.sh in CI; developers may run it directly. Environment:
#   ASAN_BUILD_DIR  build folder (default build-asan)
#   FUZZ_SECONDS    length of each fuzz run (default 30; 0 skips the fuzzing)
#   FUZZ_ONLY=1     skip the test suite
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
DAP_WITH_SANITIZERS=1 DAP_SETUP_INSTALL_ONLY=1 source "$ROOT/tools/setup.sh"

ASAN_BUILD_DIR="${ASAN_BUILD_DIR:-$ROOT/build-asan}"
FUZZ_SECONDS="${FUZZ_SECONDS:-30}"
JOBS="$(nproc)"
START=$SECONDS

# -O1 keeps the sanitizers' reports exact and the build short; the Debug
# configuration leaves Qt's and the project's assertions on. A folder
# configured before keeps its settings (compiler and launcher are not changed
# under it).
if [ -f "$ASAN_BUILD_DIR/CMakeCache.txt" ]; then
    cmake "$ASAN_BUILD_DIR"
else
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$ROOT" -B "$ASAN_BUILD_DIR" -G Ninja \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" \
        -DDAP_BUILD_FUZZ=ON -DDAP_WERROR=ON -DDAP_BUILD_BENCH=OFF "${launcher[@]}"
fi
cmake --build "$ASAN_BUILD_DIR" -j "$JOBS"
echo "== sanitizer build: $((SECONDS - START)) s"

# Undefined behaviour ends the process at its first report (the build says
# so too); leaks are reported at exit, except those inside Qt and the system
# libraries that fuzz/lsan.supp names (compiled into every program).
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="print_suppressions=0"

if [ "${FUZZ_ONLY:-}" != "1" ]; then
    STEP=$SECONDS
    (cd "$ASAN_BUILD_DIR" && ctest --output-on-failure -j "$JOBS" --timeout 300)
    echo "== test suite under the sanitizers: $((SECONDS - STEP)) s"
fi

if [ "$FUZZ_SECONDS" -gt 0 ]; then
    STEP=$SECONDS
    FUZZ_DIR="$ASAN_BUILD_DIR/fuzz"
    WORK="$FUZZ_DIR/work"
    mkdir -p "$WORK"
    # The targets that read and write files do so in a scratch folder; in
    # memory (where the machine has /dev/shm) their runs go to the code under
    # test rather than to the disk.
    SCRATCH="$WORK"
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        SCRATCH="$(mktemp -d /dev/shm/dapfuzz.XXXXXX)"
        trap 'rm -rf "$SCRATCH"' EXIT
    fi
    targets=()
    for t in "$FUZZ_DIR"/fuzz_*; do
        name="$(basename "$t")"
        [ "$name" = fuzz_corpusgen ] && continue
        [ -f "$t" ] && [ -x "$t" ] && targets+=("$name")
    done

    # Runs one target; its log is shown only when it found something.
    fuzz_one() {
        local name="$1"
        local seeds=("$FUZZ_DIR/corpus/$name")
        [ -d "$ROOT/fuzz/regressions/$name" ] && seeds+=("$ROOT/fuzz/regressions/$name")
        mkdir -p "$WORK/$name" "$FUZZ_DIR/corpus/$name"
        if (cd "$WORK" && QT_QPA_PLATFORM=offscreen TMPDIR="$SCRATCH" "$FUZZ_DIR/$name" \
                -max_total_time="$FUZZ_SECONDS" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
                -print_final_stats=1 -artifact_prefix="$WORK/$name-" \
                "$WORK/$name" "${seeds[@]}" > "$WORK/$name.log" 2>&1); then
            echo "== $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$WORK/$name.log" |
                awk '{print $2}') runs in ${FUZZ_SECONDS} s, no finding"
        else
            echo "== $name FOUND A FAULT (input saved as $WORK/$name-*):"
            tail -n 80 "$WORK/$name.log"
            return 1
        fi
    }

    failed=0
    for ((i = 0; i < ${#targets[@]}; i += 2)); do
        pids=()
        for name in "${targets[@]:i:2}"; do
            fuzz_one "$name" & pids+=($!)
        done
        for pid in "${pids[@]}"; do
            wait "$pid" || failed=1
        done
    done
    echo "== fuzzing: $((SECONDS - STEP)) s"
    [ "$failed" -eq 0 ]
fi
echo "== sanitizer build, tests and fuzzing: $((SECONDS - START)) s"
