#!/usr/bin/env bash
# Soak run: dapcontrol (BUILD/run/dap-loopback, discovery on loopback) under
# Xvfb against a simulated unit for a while, with the unit's connection dropped
# every DROP seconds and its answers preceded by junk or split into pieces in
# turn (plain, junk, split, ...); once, halfway, the unit is switched off for
# three seconds instead. For every drop it prints how long the program took to
# be logged in again and polling (the unit sees its reads again), and every 30
# seconds the program's resident memory; at the end the goals: every
# reconnection under 6 s, memory growth under 5 % after the first minute, no
# crash. Nothing leaves 127.0.0.0/8.
#
#   tools/soak.sh [-t SECONDS] [-d DROP] [BUILD_DIR]     (default 600 s, 20 s, build)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

DURATION=600
DROP=20
while getopts "t:d:" opt; do
    case $opt in
    t) DURATION=$OPTARG ;;
    d) DROP=$OPTARG ;;
    *) sed -n '2,13p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
for p in dap-loopback dapsim; do
    [ -x "$BUILD/run/$p" ] || { echo "no $BUILD/run/$p" >&2; exit 2; }
done

if [ -z "${DAP_SOAK_XVFB:-}" ]; then
    export DAP_SOAK_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" -t "$DURATION" -d "$DROP" "$BUILD"
fi

WORK=$(mktemp -d)
BASE_PORT=$((22000 + ($$ % 2000) * 10))
UNIT_PORT=$BASE_PORT
ANNOUNCE_PORT=$((BASE_PORT + 1))
COMMAND_PORT=$((BASE_PORT + 2))
ID=4711
SIM_PID=""
APP_PID=""
cleanup() {
    exec 3>&- 2>/dev/null || true
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
later() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; } # true when $1 >= $2

# The unit, with its console on a pipe.
mkfifo "$WORK/console"
"$BUILD/run/dapsim" --console --bind 127.0.0.1 --port "$UNIT_PORT" \
    --announce-port "$ANNOUNCE_PORT" --command-port 0 --machine-id "$ID" \
    <"$WORK/console" >"$WORK/sim.log" 2>&1 &
SIM_PID=$!
exec 3>"$WORK/console"
say() { echo "$*" >&3; }

# The program, remembering the unit so that it connects by itself; its log
# lines carry the time.
mkdir -p "$WORK/app/config/Tarnvale" "$WORK/app/runtime"
chmod 700 "$WORK/app/runtime"
cp -r "$BUILD/run/translations" "$BUILD/run/image" "$WORK/app/" 2>/dev/null || true
printf '[General]\nLastDevice=%s\n' "$ID" >"$WORK/app/config/Tarnvale/KR.conf"
(cd "$WORK/app" && XDG_CONFIG_HOME="$WORK/app/config" XDG_RUNTIME_DIR="$WORK/app/runtime" \
    QT_LOGGING_RULES="dap.app.info=true" QT_MESSAGE_PATTERN="%{time yyyy-MM-dd hh:mm:ss.zzz} %{category}: %{message}" \
    exec "$BUILD/run/dap-loopback" "$ANNOUNCE_PORT" "$UNIT_PORT" "$COMMAND_PORT" \
    >"$WORK/app.log" 2>&1) &
APP_PID=$!

logins() { grep -c "logged in" "$WORK/app.log" || true; }
last_login_time() { # seconds since the epoch of the last "logged in" line
    local stamp
    stamp=$(grep "logged in" "$WORK/app.log" | tail -1 | cut -c1-23)
    date -d "$stamp" +%s.%N
}
requests() { # requests the unit has received so far (asks the console)
    local before
    before=$(grep -c "requests" "$WORK/sim.log" || true)
    say status
    for _ in $(seq 1 50); do
        [ "$(grep -c "requests" "$WORK/sim.log" || true)" -gt "$before" ] && break
        sleep 0.05
    done
    grep "requests" "$WORK/sim.log" | tail -1 | sed -E 's/.* ([0-9]+) requests.*/\1/'
}
rss_mb() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$APP_PID/status"; }
alive() { kill -0 "$APP_PID" 2>/dev/null; }

for _ in $(seq 1 120); do
    [ "$(logins)" -gt 0 ] && break
    sleep 0.25
done
[ "$(logins)" -gt 0 ] || { echo "the program did not log in" >&2; cat "$WORK/app.log" >&2; exit 1; }

START=$(now)
END=$(awk -v s="$START" -v d="$DURATION" 'BEGIN { printf "%.3f", s + d }')
DROPS=$(awk -v d="$DURATION" -v p="$DROP" 'BEGIN { print int((d - 1) / p) }')
RESTART_AT=$(((DROPS + 1) / 2))
echo "soak: ${DURATION} s, a drop every ${DROP} s (drop ${RESTART_AT} is a restart of the unit), memory every 30 s"
printf '%-6s %8s  %-14s %14s  %s\n' "drop" "at s" "answers" "logged in s" "polling"

declare -a RSS_T RSS_V RECONNECT
modes=(plain junk split)
next_drop=$(awk -v s="$START" -v p="$DROP" 'BEGIN { printf "%.3f", s + p }')
next_rss=$(awk -v s="$START" 'BEGIN { printf "%.3f", s + 30 }')
drop=0
crashed=0
while true; do
    t=$(now)
    alive || { crashed=1; echo "the program is gone (exit)"; break; }
    later "$t" "$END" && break
    if later "$t" "$next_rss"; then
        RSS_T+=("$(elapsed "$START" "$t")")
        RSS_V+=("$(rss_mb)")
        printf 'memory %6.0f s  %s MB\n' "${RSS_T[-1]}" "${RSS_V[-1]}"
        next_rss=$(awk -v s="$next_rss" 'BEGIN { printf "%.3f", s + 30 }')
    fi
    if [ "$drop" -lt "$DROPS" ] && later "$t" "$next_drop"; then
        drop=$((drop + 1))
        mode=${modes[$(((drop - 1) % 3))]}
        case $mode in
        plain) say "junk 0"; say "split off" ;;
        junk) say "junk 7"; say "split off" ;;
        split) say "junk 0"; say "split on" ;;
        esac
        before=$(logins)
        t_drop=$(now)
        if [ "$drop" = "$RESTART_AT" ]; then
            say "restart 3"
            what="$mode, restart"
        else
            say drop
            what=$mode
        fi
        # Logged in again, then polling: the unit sees new reads.
        took="none"
        polling="no"
        for _ in $(seq 1 300); do
            if [ "$(logins)" -gt "$before" ]; then
                took=$(elapsed "$t_drop" "$(last_login_time)")
                r1=$(requests)
                sleep 0.5
                r2=$(requests)
                [ "${r2:-0}" -gt "${r1:-0}" ] && polling="yes"
                break
            fi
            alive || break
            sleep 0.1
        done
        RECONNECT+=("$took")
        printf '%-6s %8s  %-14s %14s  %s\n' "$drop" "$(elapsed "$START" "$t_drop")" "$what" "$took" "$polling"
        next_drop=$(awk -v s="$next_drop" -v p="$DROP" 'BEGIN { printf "%.3f", s + p }')
    fi
    sleep 0.2
done

echo
worst=$(printf '%s\n' "${RECONNECT[@]}" | awk '$1 == "none" { none = 1 } $1 != "none" && $1 > m { m = $1 } END { print none ? "none" : m + 0 }')
echo "reconnections: ${#RECONNECT[@]}, longest $worst s (goal: each under 6 s)"
first=""
for i in "${!RSS_T[@]}"; do
    if awk -v t="${RSS_T[$i]}" 'BEGIN { exit !(t >= 59) }'; then first=${RSS_V[$i]}; break; fi
done
if [ -n "$first" ] && [ ${#RSS_V[@]} -gt 0 ]; then
    peak=$(printf '%s\n' "${RSS_V[@]}" | sort -g | tail -1)
    lastv=${RSS_V[-1]}
    awk -v a="$first" -v b="$lastv" -v p="$peak" 'BEGIN {
        printf "memory: %.1f MB at 1 min, %.1f MB at the end (%+.1f %%), at most %.1f MB (%+.1f %%) (goal: under 5 %%)\n",
               a, b, 100 * (b - a) / a, p, 100 * (p - a) / a }'
fi
if [ "$crashed" = 0 ] && alive; then echo "crashes: none"; else echo "crashes: the program died"; tail -20 "$WORK/app.log"; fi
