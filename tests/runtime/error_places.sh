#!/usr/bin/env bash
# error_places.sh ENV CASE: a built application's error boxes pointed back into
# its script. The driver, given the script, opens the runtime's error channel
# and prints "at: SCRIPT:LINE:COLUMN" after each error box; without it the
# application shows exactly what it always showed.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
case_name="$2"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
SCRIPT="$TMP/s.kav3"
APP="$TMP/app.exe"

# build TEXT: the script as users keep it (Shift-JIS, CR LF) and its application.
build() {
    printf '%s' "$1" | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$SCRIPT"
    "$KAV3_PACK" "$KAV3_OUT/Kav3File.exe" "$SCRIPT" "$APP"
}
drive() { wine "$KAV3_DRIVER" "$@" "$APP" | tr -d '\r'; }
expect() {
    if [ "$2" != "$1" ]; then
        printf 'expected:\n%s\ngot:\n%s\n' "$1" "$2"
        exit 1
    fi
}

timer_script='// 7 行目の TIMER でエラー
CREATE{ SetTimer(50); }
INIT{ n = 0; }
TIMER{
    n = n + 1;
    if(n == 2){
        x = nothing;
    }
}'
timer_box='box: KAV Error: サブルーチン : TIMER\r\n\r\n 変数 : nothing\r\n\r\n変数の値が未定です'

case "$case_name" in
timer)
    build "$timer_script"
    expect "$timer_box
at: $SCRIPT:7:9
exit: 0" "$(drive --timeout 5 --source "$SCRIPT")" ;;
without-source)
    # What a user of the application sees: the box alone.
    build "$timer_script"
    expect "$timer_box
exit: 0" "$(drive --timeout 5)" ;;
create)
    # The runtime's box for a failed CREATE names nothing; the place does.
    build $'CREATE{\n    SetCaption("作成");\n    loop(2){ SetWinSize(100,100); SetTimer(0); }\n}'
    expect "box: KAV Error: プログラムエラーのため終了します
at: $SCRIPT:3:35
exit: 0" "$(drive --timeout 5 --source "$SCRIPT")" ;;
called-section)
    # The statement in the called section, its column counted in characters.
    build $'INIT{ call("計算"); }\n\n計算{\n    表示 = 1;  答え = 1 / 0;\n}'
    expect "box: KAV Error: サブルーチン : 計算\r\n\r\n コマンド : 1/0\r\n\r\nゼロでの除算はできません
at: $SCRIPT:4:14
exit: 0" "$(drive --timeout 5 --source "$SCRIPT")" ;;
script-boxes)
    # A box the script shows itself is no error: no place follows it.
    build $'INIT{\n    a = MessBox("こんにちは","題",0,0);\n    b = c;\n}'
    expect "box: 題: こんにちは
box: KAV Error: サブルーチン : INIT\r\n\r\n 変数 : c\r\n\r\n変数の値が未定です
at: $SCRIPT:3:5
exit: 0" "$(drive --timeout 5 --source "$SCRIPT")" ;;
missing-source)
    build 'INIT{}'
    got=$(wine "$KAV3_DRIVER" --timeout 5 --source "$TMP/none.kav3" "$APP" 2>&1 | tr -d '\r') && exit 1
    [[ "$got" == *"cannot read the script"* ]] || { echo "$got"; exit 1; } ;;
*) echo "unknown case $case_name"; exit 2 ;;
esac
