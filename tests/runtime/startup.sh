#!/usr/bin/env bash
# startup.sh ENV CASE: one start-up case of the runtime, checked through the driver.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
case_name="$2"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
STUB="$KAV3_OUT/Kav3File.exe"
APP="$TMP/app.exe"

# app BYTES...: the stub followed by the given bytes (printf format).
app() { { cat "$STUB"; printf "$@"; } >"$APP"; }
drive() { wine "$KAV3_DRIVER" "$@" | tr -d '\r'; }
expect() {
    local want="$1" got="$2"
    if [ "$got" != "$want" ]; then
        printf 'expected:\n%s\ngot:\n%s\n' "$want" "$got"
        exit 1
    fi
}
undefined_y='box: KAV Error: サブルーチン : INIT\r\n\r\n 変数 : y\r\n\r\n変数の値が未定です'

case "$case_name" in
no-marker)
    cp "$STUB" "$APP"
    expect $'box: KAV Error: ファイルが無効です\nexit: 0' "$(drive --timeout 5 "$APP")" ;;
marker-at-end)
    app '\0@KAV@'
    expect 'exit: 0' "$(drive --timeout 5 "$APP")" ;;
empty-script)
    # A window with no sections: every event finds nothing; WM_CLOSE closes it.
    app '\0@KAV@\0\0'
    expect 'exit: 0' "$(drive --timeout 2 "$APP")" ;;
default-window)
    app '\0@KAV@INIT{}\0\0'
    got=$(drive --timeout 2 --do info "$APP")
    [[ "$got" == *"window=40,40,1200,944 "* && "$got" == *"caption=実行中 "* && "$got" == *$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
marker-twice)
    # The first marker wins; the second is ordinary text of the script.
    app '\0@KAV@A{}INIT{x=y;}@KAV@INIT{q=r;}\0\0'
    expect "$undefined_y"$'\nexit: 0' "$(drive --timeout 5 "$APP")" ;;
quoted-path-and-blank)
    app '\0@KAV@INIT{x=y;}\0\0'
    expect "$undefined_y"$'\nexit: 0' "$(drive --timeout 5 --cmdline '"%s" ' "$APP")" ;;
unquoted-path)
    app '\0@KAV@INIT{x=y;}\0\0'
    expect "$undefined_y"$'\nexit: 0' "$(drive --timeout 5 --cmdline '%s' "$APP")" ;;
argument-after-path)
    app '\0@KAV@INIT{x=y;}\0\0'
    expect 'exit: 0' "$(drive --timeout 5 --cmdline '"%s" extra' "$APP")" ;;
overlong-command-line)
    app '\0@KAV@INIT{x=y;}\0\0'
    expect 'exit: 0' "$(drive --timeout 5 --cmdline "\"%s\" $(printf 'x%.0s' {1..300})" "$APP")" ;;
create-error)
    app '\0@KAV@CREATE{SetTimer(0);}INIT{x=y;}\0\0'
    expect $'box: KAV Error: プログラムエラーのため終了します\nexit: 0' "$(drive --timeout 5 "$APP")" ;;
huge-payload)
    # Eight megabytes of comment after the script: read whole, compacted away.
    { cat "$STUB"; printf '\0@KAV@INIT{x=y;}\r\n//'; head -c 8000000 /dev/zero | tr '\0' 'c'; printf '\0\0'; } >"$APP"
    expect "$undefined_y"$'\nexit: 0' "$(drive --timeout 10 "$APP")" ;;
odd-bytes-in-payload)
    # Unclosed literals, stray braces and lone Shift-JIS lead bytes: errors, never a crash.
    app '\0@KAV@INIT{x="\x81;}}}{{\xe0"\x9f{;\x81'
    got=$(drive --timeout 5 "$APP")
    [[ "$got" == *$'\nexit: 0' || "$got" == 'exit: 0' ]] || { echo "$got"; exit 1; } ;;
*)
    echo "no such case: $case_name" >&2
    exit 2 ;;
esac
