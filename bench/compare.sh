#!/usr/bin/env bash
# The interpreter's benchmark loops side by side: natively (kav3_bench), as built
# applications under Wine, and the same work in Lua 5.4 (bench/lua/). Prints
# each figure, the time of one run of the loop, with its ratio to Lua (Lua's
# time over ours: above 1 is faster than Lua). Every time is processor time.
#
#   bench/compare.sh KAV3_BENCH KAV3PACK KAV3FILE_EXE
#
# Run through `./kav3 bench --compare`, which builds the programs, installs lua5.4
# and sets up the Wine environment (WINEPREFIX and friends).
#
# Under Wine a loop runs as the INIT section of an application that repeats it R
# times and ends; the same application with R = 0 gives the cost of starting and
# ending, which is taken off. Each application runs three times, the fastest
# counts. R is chosen from the native time so that the loop runs about 1.5 s.
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: bench/compare.sh KAV3_BENCH KAV3PACK KAV3FILE_EXE" >&2; exit 2; }
bench=$1 pack=$2 stub=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lua=${KAV3_LUA:-lua5.4}
command -v "$lua" >/dev/null || { echo "compare.sh: $lua is not installed" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kav3-compare.XXXXXX")
xvfb_pid=""
# The Wine server started below ends by itself a few seconds after its last client.
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Lua file of each loop.
lua_file() {
    case $1 in
        Increment) echo increment ;;
        Arithmetic) echo arithmetic ;;
        ArrayElements) echo array_elements ;;
        Call) echo call ;;
        If) echo if ;;
        ValueFunctions) echo value_functions ;;
        *) return 1 ;;
    esac
}

# Processor time in milliseconds of one command (it and the processes it waits for).
cpu_ms() {
    local TIMEFORMAT='%3U %3S' t
    t=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || return 1
    awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%.1f", (a[1] + a[2]) * 1000 }'
}

# The fastest of three runs of an application, in milliseconds of processor time.
app_ms() {
    local best="" ms
    for _ in 1 2 3; do
        # A script error would leave a message box open: the time-out ends it.
        ms=$(cpu_ms timeout 120 wine "$1") || { echo "compare.sh: $1 failed or did not end" >&2; return 1; }
        if [ -z "$best" ] || awk -v a="$ms" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$ms; fi
    done
    echo "$best"
}

# --- native -----------------------------------------------------------------
echo "native: kav3_bench" >&2
mapfile -t loops < <("$bench" --loops)
names=()
for line in "${loops[@]}"; do names+=("$(cut -f1 <<<"$line")"); done
filter="BM_($(IFS='|'; echo "${names[*]}"))\$"
declare -A native
while IFS=, read -r name _ _ cpu unit _; do
    name=${name//\"/}
    [ "$unit" = ms ] || continue
    native[${name#BM_}]=$cpu
done < <("$bench" --benchmark_filter="$filter" --benchmark_min_time=1 --benchmark_format=csv 2>/dev/null)

for name in "${names[@]}"; do
    [ -n "${native[$name]:-}" ] || { echo "compare.sh: kav3_bench gave no time for $name" >&2; exit 1; }
done

# --- Lua --------------------------------------------------------------------
declare -A luams
for name in "${names[@]}"; do
    echo "lua: $name" >&2
    luams[$name]=$("$lua" "$here/lua/timing.lua" "$here/lua/$(lua_file "$name").lua")
done

# --- Wine -------------------------------------------------------------------
fifo="$work/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display <"$fifo"
export DISPLAY=":$display"
wineserver -p5
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

declare -A winems
for line in "${loops[@]}"; do
    # Fields may be empty: cut keeps them where read would merge the tabs.
    name=$(cut -f1 <<<"$line") create=$(cut -f3 <<<"$line") run=$(cut -f4 <<<"$line") sections=$(cut -f5 <<<"$line")
    reps=$(awk -v n="${native[$name]}" 'BEGIN { r = int(1500 / n); print r < 1 ? 1 : r }')
    for r in 0 "$reps"; do
        printf 'CREATE{%s}INIT{loop(%s){%s}end;}%s' "$create" "$r" "$run" "$sections" >"$work/$name-$r.kav3"
        "$pack" "$stub" "$work/$name-$r.kav3" "$work/$name-$r.exe" >/dev/null
    done
    echo "wine: $name, $reps runs" >&2
    empty=$(app_ms "$work/$name-0.exe")
    full=$(app_ms "$work/$name-$reps.exe")
    winems[$name]=$(awk -v f="$full" -v e="$empty" -v r="$reps" 'BEGIN { printf "%.4f", (f - e) / r }')
done

# --- table ------------------------------------------------------------------
echo
printf '%-15s %12s %10s %10s %12s %10s %12s\n' "loop" "statements" "Lua ms" "native ms" "native/Lua" "Wine ms" "Wine/Lua"
for line in "${loops[@]}"; do
    name=$(cut -f1 <<<"$line") statements=$(cut -f2 <<<"$line")
    awk -v n="$name" -v s="$statements" -v l="${luams[$name]}" -v a="${native[$name]}" -v w="${winems[$name]}" 'BEGIN {
        printf "%-15s %12d %10.3f %10.3f %11.2fx %10.3f %11.2fx\n", n, s, l, a, l / a, w, (w > 0 ? l / w : 0)
    }'
done
echo
echo "Times are processor milliseconds for one run of the loop (the statements column);"
echo "x/Lua is Lua's time over ours: 1.00x or more is at least as fast as Lua 5.4."
