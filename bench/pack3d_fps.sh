#!/usr/bin/env bash
# pack3d_fps.sh: Draw3DPack frames per second under Wine, end to end. Runs
# pack3d_fps.kav3 (a 1024-triangle pack on a 320x240 sub-screen) headless and
# prints the script's own count: Draw3DPack alone, and whole animation frames
# (clear, turn, draw, copy to the window). Needs the trees ./kav3 build makes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out=$("$root/kav3" run --headless --timeout 30 --do "wait 12000; info; close" "$root/bench/pack3d_fps.kav3")
caption=$(sed -n 's/^info: .*caption=\(draw [0-9.]* frame [0-9.]*\) .*/\1/p' <<<"$out")
if [ -z "$caption" ]; then
    echo "pack3d_fps: no result; the driver printed:" >&2
    printf '%s\n' "$out" >&2
    exit 1
fi
read -r _ draw _ frame <<<"$caption"
echo "Draw3DPack, 1024 triangles, 320x240 sub-screen, under Wine: $draw draws/s, $frame frames/s (target 60)"
