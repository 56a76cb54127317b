#!/usr/bin/env bash
# run-script.sh ENV SCRIPT: a script-level test. The script (UTF-8 here, Shift-JIS
# when packed) says how to run it and what the driver must print:
#   // run: --timeout 3 --do "click 10 10"     options for the driver (may repeat)
#   // expect: box: KAV Error: ...              the next line printed, exactly
#   // expect~: info: .* client=400,300 .*      the next line, as an extended regex
#   // before: sox -n clip.wav synth 1 sine 1   before the run, a shell command (may repeat)
#   // then: cmp "$TMP/a.txt" b.txt             after the run, a shell command that must succeed
#   // after: identify -format %w saved.bmp     a command run afterwards; what it
#                                               prints is checked like the driver's lines
# Every printed line must be expected, in order. The program and the commands run in a
# scratch folder, "$TMP" in options and checks; "--audio FILE" among the options records
# what the program plays into FILE (tests/wine/audio.sh); "--camera FORMAT" offers the
# program the virtual camera in that format (rgb32, rgb24, yuy2 or nv12) as device 0.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
source "$1"
script="$2"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

options=()
expected=()
before=()
checks=()
after=()
while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
        "// run: "*) eval "options+=(${line#// run: })" ;;
        "// before: "*) before+=("${line#// before: }") ;;
        "// expect: "*) expected+=("=${line#// expect: }") ;;
        "// expect~: "*) expected+=("~${line#// expect~: }") ;;
        "// then: "*) checks+=("${line#// then: }") ;;
        "// after: "*) after+=("${line#// after: }") ;;
    esac
done <"$script"

# As users keep them: Shift-JIS with CR LF (a // comment ends only at CR LF).
iconv -f UTF-8 -t CP932 "$script" | sed 's/\r*$/\r/' >"$TMP/script.kav3"
"$KAV3_PACK" "$KAV3_OUT/Kav3File.exe" "$TMP/script.kav3" "$TMP/app.exe"
record=()
driver=()
unset KAV3_CAMERA
while [ ${#options[@]} -gt 0 ]; do
    if [ "${options[0]}" == --audio ]; then
        record=(bash "$here/audio.sh" "${options[1]}")
        options=("${options[@]:2}")
    elif [ "${options[0]}" == --camera ]; then
        # Wine's default Direct3D renderer shows nothing in child windows.
        export KAV3_CAMERA="${options[1]}" WINE_D3D_CONFIG="${WINE_D3D_CONFIG:-renderer=vulkan}"
        options=("${options[@]:2}")
    else
        driver+=("${options[0]}")
        options=("${options[@]:1}")
    fi
done
cd "$TMP"
for command in "${before[@]}"; do eval "$command"; done
mapfile -t actual < <("${record[@]}" wine "$KAV3_DRIVER" "${driver[@]}" "$TMP/app.exe" | tr -d '\r'
                      for command in "${after[@]}"; do eval "$command"; done)

ok=1
for i in "${!expected[@]}"; do
    want="${expected[$i]}"
    got="${actual[$i]-<nothing>}"
    case "$want" in
        =*) [ "$got" == "${want:1}" ] || ok=0 ;;
        ~*) [[ "$got" =~ ^${want:1}$ ]] || ok=0 ;;
    esac
    [ "$ok" -eq 1 ] || { echo "line $((i + 1)): expected ${want:1}"; echo "line $((i + 1)): got      $got"; break; }
done
if [ "$ok" -eq 1 ] && [ "${#actual[@]}" -gt "${#expected[@]}" ]; then
    echo "unexpected line: ${actual[${#expected[@]}]}"
    ok=0
fi
if [ "$ok" -eq 0 ]; then
    echo "--- the driver printed:"
    printf '%s\n' "${actual[@]}"
    exit 1
fi
for check in "${checks[@]}"; do
    TMP="$TMP" bash -c "$check" || { echo "check failed: $check"; exit 1; }
done
