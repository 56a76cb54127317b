#!/usr/bin/env bash
# driver_test.sh ENV PROBE CASE: one case of the driver against the probe
# application, which logs every message the driver delivered and every box result.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
PROBE="$2"
case_name="$3"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
LOG="$TMP/probe.log"
WINLOG="Z:${LOG//\//\\}"

drive() { wine "$KAV3_DRIVER" "$@" | tr -d '\r'; }
fail() { printf '%s\n' "$@"; exit 1; }
expect() {
    [ "$2" == "$1" ] || fail "$3 expected:" "$1" "$3 got:" "$2"
}
# bytes FILE OFFSET COUNT: the bytes as one hex string.
bytes() { od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'; }
# bmp_pixel FILE X Y: "rrggbb" of a 24-bit bottom-up BMP.
bmp_pixel() {
    local width height row bgr
    width=$((16#$(bytes "$1" 18 4 | sed -E 's/(..)(..)(..)(..)/\4\3\2\1/')))
    height=$((16#$(bytes "$1" 22 4 | sed -E 's/(..)(..)(..)(..)/\4\3\2\1/')))
    row=$(((width * 3 + 3) / 4 * 4))
    bgr=$(bytes "$1" $((54 + (height - 1 - $3) * row + $2 * 3)) 3)
    echo "${bgr:4:2}${bgr:2:2}${bgr:0:2}"
}
# The probe paints white with a red block at (10,10)-(50,30) and a blue one
# at (300,230)-(320,240) in its 320 x 240 client area.
check_bmp_picture() {
    local at want
    for at in "0 0 ffffff" "10 10 ff0000" "49 29 ff0000" "50 30 ffffff" "9 10 ffffff" "10 9 ffffff" \
              "300 230 0000ff" "319 239 0000ff" "299 239 ffffff" "319 229 ffffff"; do
        set -- $at
        want=$3
        expect "$want" "$(bmp_pixel "$BMP" "$1" "$2")" "pixel $1,$2 of $BMP"
    done
}

probe_log() { tr -d '\r' <"$LOG"; }

case "$case_name" in
input)
    # Every action's message arrives as posted, in order, with its parameters;
    # the app is given by its Windows path and ends by itself (exit code 7).
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG" --do "move 5 6; click 7 8; dblclick 9 10; rclick 3 4; wait 500;
          wheel -2; wheel 1; key 0x41; key 37; char 97; char 0x82a0; hscroll 4 30; vscroll 1; close" \
          "Z:${PROBE//\//\\}")
    expect 'box: probe: 日本語\r\n二行目
exit: 7' "$out" "driver output"
    expect "mousemove 0 5 6
lbuttondown 1 7 8
lbuttonup 0 7 8
lbuttondown 1 9 10
lbuttonup 0 9 10
lbuttondblclk 1 9 10
lbuttonup 0 9 10
rbuttondown 2 3 4
rbuttonup 0 3 4
box yesno -> 6
mousewheel -240 5 6
mousewheel 120 5 6
keydown 65 0x001E0001
keyup 65 0xC01E0001
keydown 37 0x014B0001
keyup 37 0xC14B0001
char 97 0x00000001
char 130 0x00000001
char 160 0x00000001
hscroll 4 30 0
vscroll 1 0 0
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
keyboard)
    # A press comes as the keyboard's: to the window with the focus, the held
    # key down around it and known to GetKeyState while the key is read.
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG" --do "press 65; press 9 16; close" "$PROBE")
    expect "exit: 7" "$out" "driver output"
    expect "keydown 65 0x001E0001
keyup 65 0xC01E0001
keydown 16 0x002A0001 shift
keydown 9 0x000F0001 shift
keyup 9 0xC00F0001 shift
keyup 16 0xC02A0001
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
boxes)
    # One answer per box in order; a missing button or no answers left take the
    # box's default, which must be one of its own buttons.
    out=$(drive --timeout 10 --answer no --answer yes --answer cancel \
          --cmdline "\"%s\" $WINLOG box:yesno box:okcancel box:okcancel box:yesno2 box:abort" --do close "$PROBE")
    expect "$(printf 'box: probe: 日本語\\r\\n二行目\n%.0s' 1 2 3 4 5; echo 'exit: 7')" "$out" "driver output"
    expect "box yesno -> 7
box okcancel -> 1
box okcancel -> 2
box yesno2 -> 7
box abort -> 3
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
shots)
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG" --do "shot $TMP/a.bmp; shot $TMP/a.png; close" "$PROBE")
    expect "shot: $TMP/a.bmp
shot: $TMP/a.png
exit: 7" "$out" "driver output"
    BMP="$TMP/a.bmp"
    check_bmp_picture
    # Stored deflate keeps the scanlines readable in place: signature, IHDR
    # (25 bytes), IDAT length and type, zlib header, block header, then row 0.
    expect "89504e470d0a1a0a" "$(bytes "$TMP/a.png" 0 8)" "PNG signature"
    expect "00000140000000f0" "$(bytes "$TMP/a.png" 16 8)" "PNG size"
    row=$((1 + 320 * 3))
    expect "00ffffff" "$(bytes "$TMP/a.png" 48 4)" "PNG row 0"
    expect "ff0000" "$(bytes "$TMP/a.png" $((48 + 10 * row + 1 + 30)) 3)" "PNG pixel 10,10" ;;
info)
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG region topmost" --do "info; close" "$PROBE")
    # Wine cannot tell another process a window's own scroll range: "?" there.
    want='^info: class=RUN caption=probe window=20,20,[0-9]+,[0-9]+ client=320,240 style=0x[0-9A-F]{8} '
    want+='exstyle=0x[0-9A-F]{8} topmost=1 hscroll=(0-50|\?) vscroll=none region=complex'$'\n''exit: 7$'
    [[ "$out" =~ $want ]] || fail "unexpected:" "$out" ;;
timeout)
    # A window that ignores WM_CLOSE: final shot, close request, then termination.
    out=$(drive --timeout 1.5 --cmdline "\"%s\" $WINLOG stubborn" --final-shot "$TMP/f.bmp" "$PROBE")
    expect "shot: $TMP/f.bmp
timeout" "$out" "driver output"
    expect "close" "$(probe_log)" "probe log"
    BMP="$TMP/f.bmp"
    check_bmp_picture ;;
early-exit)
    # The probe cannot open its log and ends before any window: actions skipped.
    expect "exit: 2" "$(drive --timeout 10 --cmdline '"%s" Z:\no\such\folder\log' --do "click 1 1; info" "$PROBE")" \
        "driver output" ;;
controls)
    # Control actions reach the controls as a user's input would: focus moves
    # (edit notifications), typed double-byte text arrives whole, picks notify
    # the parent; failures are printed, and the run goes on. Wine lets no
    # other process read a menu's items, so menustate can only say so here.
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG controls" --do "focus 201; type 201 ab 日本; text 201;
          settext 201 x\\;y z; text 201; focus 202; button 202; pick 203 2; pick 204 1; pick 203 9; pick 201 0;
          hscroll 5 40 205; scrollpos 205; scrollpos 201; vscroll 1; menu 103; menustate 103; menustate 104;
          button 999; close" "$PROBE")
    expect 'text: 201: ab 日本
text: 201: x;y z
error: pick 203: no item 9
error: pick 201: not a list or combo box
scrollpos: 205: 40
error: scrollpos 201: not a scroll bar
error: menustate 103: no such item, or the menu cannot be read from another process
error: menustate 104: no such item, or the menu cannot be read from another process
error: button 999: no control 999
exit: 7' "$out" "driver output"
    expect "command 201 256 control
command 201 512 control
command 202 0 control
command 203 1 sel 2
command 204 1 sel 1
hscroll 5 40 control 205
vscroll 1 0 0
command 103 0 menu
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
pointer)
    # Pointer actions reach the child under the point in its own coordinates,
    # pass through a static text to the window, follow the capture a press
    # takes (a drag stays with the pane past its edge), and a double click on
    # a class that asks for none is two presses.
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG pointer" --do "move 120 110; click 110 105; dblclick 130 130;
          rclick 170 150; click 20 105; drag 150 150 250 200; down 5 5; up 6 6; close" "$PROBE")
    expect "exit: 7" "$out" "driver output"
    expect "pane mousemove 0 20 10
pane lbuttondown 1 10 5
pane lbuttonup 0 10 5
pane lbuttondown 1 30 30
pane lbuttonup 0 30 30
pane lbuttondown 1 30 30
pane lbuttonup 0 30 30
pane rbuttondown 2 70 50
pane rbuttonup 0 70 50
lbuttondown 1 20 105
lbuttonup 0 20 105
pane mousemove 0 50 50
pane lbuttondown 1 50 50
pane mousemove 1 75 62
pane mousemove 1 100 75
pane mousemove 1 125 87
pane mousemove 1 150 100
pane lbuttonup 0 150 100
lbuttondown 1 5 5
lbuttonup 0 6 6
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
dialogs)
    # File dialogs take the --file answers in order and are cancelled beyond
    # them; the app's own dialog is no message box and is left to the actions,
    # which address it and another top-level window by class and caption.
    : >"$TMP/o.txt"
    out=$(drive --timeout 20 --file "$TMP/o.txt" --file - --cmdline "\"%s\" $WINLOG controls" --do "menu 101; boxes 1;
          menu 102; boxes 2; menu 101; boxes 3; menu 105; window #32770:ask; settext 401 hello; button 1;
          window RUN; menu 106; window SECOND:second; button 301; window RUN; close" "$PROBE")
    expect 'filedlg: probe open
filedlg: probe save
filedlg: probe open
exit: 7' "$out" "driver output"
    expect "command 101 0 menu
open 1 Z:${TMP//\//\\}\\o.txt
command 102 0 menu
save 0
command 101 0 menu
open 0
command 105 0 menu
ask 1 hello
command 106 0 menu
second command 301 0
syscommand 0xF060
close
exit" "$(probe_log)" "probe log" ;;
clipboard)
    # The clipboard's text as the app left it, CR LF and Shift-JIS included.
    out=$(drive --timeout 10 --cmdline "\"%s\" $WINLOG controls" --do "menu 107; wait 300; clipboard; close" "$PROBE")
    expect 'clipboard: 日本\r\nclip
exit: 7' "$out" "driver output" ;;
start-failure)
    set +e
    out=$(wine "$KAV3_DRIVER" "$TMP/missing.exe" 2>/dev/null)
    code=$?
    set -e
    expect "3" "$code" "exit code"
    expect "" "$out" "driver output" ;;
usage-error)
    for bad in "--do|jump 1 2" "--do|click 1" "--answer|maybe" "--timeout|soon" "--bogus|x"; do
        set +e
        out=$(wine "$KAV3_DRIVER" "${bad%%|*}" "${bad#*|}" --cmdline "\"%s\" $WINLOG" "$PROBE" 2>"$TMP/err")
        code=$?
        set -e
        expect "2" "$code" "exit code for $bad"
        expect "" "$out" "stdout for $bad"
        [ -s "$TMP/err" ] || fail "no usage message for $bad"
        [ ! -e "$LOG" ] || fail "the app was started despite $bad"
    done ;;
*)
    echo "no such case: $case_name" >&2
    exit 2 ;;
esac
