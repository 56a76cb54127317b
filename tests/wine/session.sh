#!/usr/bin/env bash
# session.sh start|stop ENV: the Wine session the Windows tests share — a
# private X server and a persistent wineserver on the project's prefix.
set -euo pipefail
# shellcheck source=/dev/null
source "$2"

stop() {
    if [ -f "$KAV3_SESSION/xvfb.pid" ]; then
        wineserver -k 2>/dev/null || true
        kill "$(cat "$KAV3_SESSION/xvfb.pid")" 2>/dev/null || true
    fi
    rm -rf "$KAV3_SESSION"
}

start() {
    stop
    mkdir -p "$KAV3_SESSION"
    local fifo="$KAV3_SESSION/displayfd"
    mkfifo "$fifo"
    # Every child's output goes to files: CTest waits for the pipes it hands out.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null >"$KAV3_SESSION/xvfb.log" 2>&1 &
    echo $! >"$KAV3_SESSION/xvfb.pid"
    local display
    read -r display <"$fifo"
    rm -f "$fifo"
    echo ":$display" >"$KAV3_SESSION/display"
    export DISPLAY=":$display"
    # A persistent server makes each launch cheap; the first client starts the
    # system processes, which keep that client's output handles.
    wineserver -p </dev/null >"$KAV3_SESSION/wineserver.log" 2>&1
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >"$KAV3_SESSION/prime.log" 2>&1 || true
}

case "$1" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: session.sh start|stop ENV" >&2; exit 2 ;;
esac
