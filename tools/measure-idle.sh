#!/usr/bin/env bash
# CPU use of dapcontrol while it idles, under Xvfb: connected to a simulated
# unit and polling (the default page shown), and not connected (window shown,
# no unit). The figure is the CPU time the program's threads ran over the
# measuring period (nanoseconds from /proc/PID/task/*/schedstat), as a
# percentage of one core; wall time only sets the length of the period. The
# kernel's tick count (utime + stime from /proc/PID/stat, 0.05 % a tick over
# 20 s) is printed beside it. It also counts the process's context switches
# (all threads), which is how often it woke up.
#
#   tools/measure-idle.sh [-s SECONDS] [-r ROUNDS] [BUILD_DIR...]
#
# Every BUILD_DIR (default: build) is measured in each round, one after the
# other, so that a build before and one after a change see the same
# background load; the figures printed are medians over the rounds. The
# program measured is BUILD_DIR/run/dap-loopback (dapcontrol with its
# discovery on loopback); the simulated unit is the first build's dapsim, on
# 127.0.0.1 with ports of its own. Nothing leaves 127.0.0.0/8.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

SECONDS_TO_MEASURE=20
ROUNDS=3
while getopts "s:r:" opt; do
    case $opt in
    s) SECONDS_TO_MEASURE=$OPTARG ;;
    r) ROUNDS=$OPTARG ;;
    *) sed -n '2,17p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
BUILDS=("$@")
[ ${#BUILDS[@]} -gt 0 ] || BUILDS=("$ROOT/build")
for i in "${!BUILDS[@]}"; do
    BUILDS[$i]="$(cd "${BUILDS[$i]}" && pwd)"
    [ -x "${BUILDS[$i]}/run/dap-loopback" ] || {
        echo "no ${BUILDS[$i]}/run/dap-loopback (cmake --build ${BUILDS[$i]} --target dap-loopback)" >&2
        exit 2
    }
done

# Everything runs on a private X server.
if [ -z "${DAP_MEASURE_XVFB:-}" ]; then
    export DAP_MEASURE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" -s "$SECONDS_TO_MEASURE" -r "$ROUNDS" "${BUILDS[@]}"
fi

SIM="${BUILDS[0]}/run/dapsim"
HZ=$(getconf CLK_TCK)
SCRATCH=$(mktemp -d)
# Ports of our own, so that other programs on this machine do not answer.
BASE_PORT=$((20000 + ($$ % 2000) * 10))
UNIT_PORT=$BASE_PORT
ANNOUNCE_PORT=$((BASE_PORT + 1))
COMMAND_PORT=$((BASE_PORT + 2))
ID=4711
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

cpu_ticks() { # utime + stime of a process
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
cpu_ns() { # time on the CPU of all threads of a process, in nanoseconds
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%.0f\n", n }'
}
switches() { # context switches of all threads of a process
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# Starts the program of build $1 in a fresh folder (PROG_PID, PROG_DIR).
start_program() {
    local build=$1 dir
    dir=$(mktemp -d "$SCRATCH/run.XXXX")
    cp -r "$build/run/translations" "$build/run/image" "$dir/" 2>/dev/null || true
    [ -f "$build/run/cfg.dat" ] && cp "$build/run/cfg.dat" "$dir/"
    mkdir -p "$dir/config/Tarnvale" "$dir/runtime"
    chmod 700 "$dir/runtime"
    printf '[General]\nLastDevice=%s\n' "$ID" >"$dir/config/Tarnvale/KR.conf"
    (cd "$dir" && XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" \
        QT_LOGGING_RULES="dap.app.info=true" \
        exec "$build/run/dap-loopback" "$ANNOUNCE_PORT" "$UNIT_PORT" "$COMMAND_PORT" \
        >"$dir/log" 2>&1) &
    PROG_PID=$!
    PROG_DIR=$dir
    PIDS+=("$PROG_PID")
}

# Measures one program over the period: "percent wakeups_per_second ticks".
measure() {
    local pid=$1 t0 t1 s0 s1 n0 n1
    t0=$(cpu_ticks "$pid")
    n0=$(cpu_ns "$pid")
    s0=$(switches "$pid")
    sleep "$SECONDS_TO_MEASURE"
    t1=$(cpu_ticks "$pid")
    n1=$(cpu_ns "$pid")
    s1=$(switches "$pid")
    awk -v t="$((t1 - t0))" -v n="$((n1 - n0))" -v s="$((s1 - s0))" -v d="$SECONDS_TO_MEASURE" \
        'BEGIN { printf "%.3f %.0f %d\n", 100 * n / 1e9 / d, s / d, t }'
}

one_run() { # build, connected(0/1); sets RESULT
    local build=$1 connected=$2 sim=0 pid dir
    if [ "$connected" = 1 ]; then
        "$SIM" --bind 127.0.0.1 --port "$UNIT_PORT" --announce-port "$ANNOUNCE_PORT" \
            --command-port 0 --machine-id "$ID" >/dev/null 2>&1 &
        sim=$!
        PIDS+=("$sim")
    fi
    start_program "$build"
    pid=$PROG_PID
    dir=$PROG_DIR
    if [ "$connected" = 1 ]; then
        for _ in $(seq 1 120); do
            grep -q "logged in" "$dir/log" && break
            sleep 0.25
        done
        grep -q "logged in" "$dir/log" || { echo "no login: $build" >&2; cat "$dir/log" >&2; exit 1; }
    fi
    sleep 3 # the first page fill and the start-up work are not idling
    RESULT=$(measure "$pid")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ "$sim" != 0 ]; then
        kill "$sim" 2>/dev/null || true
        wait "$sim" 2>/dev/null || true
    fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A CPU WAKE TICKS
for round in $(seq 1 "$ROUNDS"); do
    for state in 1 0; do
        # Alternate the order of the builds from round to round.
        order=("${!BUILDS[@]}")
        if [ $((round % 2)) = 0 ]; then
            order=($(printf '%s\n' "${order[@]}" | tac))
        fi
        for i in "${order[@]}"; do
            one_run "${BUILDS[$i]}" "$state"
            read -r cpu wake ticks <<<"$RESULT"
            CPU[$i,$state]+="$cpu "
            WAKE[$i,$state]+="$wake "
            TICKS[$i,$state]+="$ticks "
            echo "round $round $([ "$state" = 1 ] && echo connected || echo 'not connected') ${BUILDS[$i]}: $cpu % of one core ($ticks ticks of ${HZ} Hz in ${SECONDS_TO_MEASURE} s), $wake wake-ups/s" >&2
        done
    done
done

echo
echo "CPU of one core from the threads' run time (median of $ROUNDS rounds of ${SECONDS_TO_MEASURE} s) and wake-ups per second"
printf '%-44s %22s %22s\n' "build" "connected, polling" "not connected"
for i in "${!BUILDS[@]}"; do
    c1=$(printf '%s\n' ${CPU[$i,1]} | median)
    w1=$(printf '%s\n' ${WAKE[$i,1]} | median)
    c0=$(printf '%s\n' ${CPU[$i,0]} | median)
    w0=$(printf '%s\n' ${WAKE[$i,0]} | median)
    printf '%-44s %10s %% %6s/s %10s %% %6s/s\n' "${BUILDS[$i]}" "$c1" "$w1" "$c0" "$w0"
done
