#!/usr/bin/env bash
# editor_ui.sh ENV CASE: one case of the editor driven as a user would, checked
# by what the driver prints and by the files left behind.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
case_name="$2"
# No dot in the folder: the builder and Save As look for the first dot anywhere.
TMP=$(mktemp -d /tmp/kav3edXXXXXX)
trap 'rm -rf "$TMP"' EXIT
EDITOR="$KAV3_OUT/KAV3.exe"
STUB="$KAV3_OUT/KavFiles/Kav64"

# These cases address the editor's window and dialogs: a driver without the
# window, menu and file-dialog actions cannot run them (skipped, code 77).
usage=$(wine "$KAV3_DRIVER" --help 2>&1 || true)
[[ "$usage" == *"--window CLASS"* ]] || { echo "driver lacks --window"; exit 77; }

# The Windows form of a path here (drive Z: is the root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# drive [FILE] -- OPTIONS...: the editor, started on FILE when one is given.
drive() {
    local file="$1"
    shift
    local cmdline='"%s"'
    [ -z "$file" ] || cmdline="\"%s\" \"$(winpath "$file")\""
    wine "$KAV3_DRIVER" --window KAV3 --cmdline "$cmdline" "$@" "$EDITOR" | tr -d '\r'
}
expect() {
    local want="$1" got="$2"
    if [ "$got" != "$want" ]; then
        printf 'expected:\n%s\ngot:\n%s\n' "$want" "$got"
        exit 1
    fi
}
# A script file as users keep them: Shift-JIS, CR LF.
script() { printf '%s' "$2" | iconv -f UTF-8 -t CP932 >"$1"; }
# The text as the driver prints it: CR and LF written \r and \n.
escaped() { printf '%s' "$1" | sed -z 's/\r/\\r/g; s/\n/\\n/g'; }

starter=$'// 一定時間ごとの処理\r\nTIMER\r\n{\r\n\r\n}\r\n\r\n// 左ボタンが押された時の処理\r\nLBUTTONDOWN\r\n{\r\n\r\n}\r\n\r\n'
starter+=$'// 標準のウィンドウ内の描画\r\nPAINT\r\n{\r\n\r\n}\r\n\r\n// プログラムの初期設定\r\nCREATE\r\n{\r\n'
starter+=$'\tSetWinStyle(2) ; // ウインドウスタイル\r\n\tSetWinSize(400,300) ; // ウインドウサイズ\r\n'
starter+=$'\tSetCaption("ＫＡＶ３プログラム") ; // キャプションタイトル\r\n\r\n\t// メニューの設定\r\n'
starter+=$'\tMenu("ﾌｧｲﾙ(&F)") ;\r\n\tPopupMenuEX("閉じる","ID_end") ;\r\n\r\n\tSetTimer(1000) ; // タイマー時間の設定\r\n'
starter+=$'}\r\n\r\n// メニューの処理\r\nID_end\r\n{\r\n\tend ; // プログラム終了\r\n}\r\n'

exit_box='box: 終  了: ＫＡＶ３ を終了します\n終了する前に保存しますか？'
init_error='box: KAV3 Error: サブルーチン : INIT\r\n\r\n 変数 : y\r\n\r\n変数の値が未定です'

case "$case_name" in
new-template)
    # The starter program byte for byte; it counts as a change, so leaving asks.
    got=$(drive "" --timeout 20 --answer yes --answer no --do "menu 32789; boxes 1; text 200; menu 105")
    expect "box: 新規作成: 標準的な\nＫＡＶ３プログラムを\n貼付けますか？
text: 200: $(escaped "$starter")
$exit_box
exit: 0" "$got" ;;
new-declined)
    got=$(drive "" --timeout 20 --answer no --do "menu 32789; boxes 1; text 200; info; menu 105")
    [[ "$got" == $'box: 新規作成: '*$'\ntext: 200: \ninfo: '*'caption=KAV3 - [NONAME.KAV3] '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
open-save-round-trip)
    script "$TMP/jp.kav3" $'// 日本語のコメント\r\nCREATE{ SetCaption("表示ソ能十予"); }\r\n'
    got=$(drive "" --timeout 20 --file "$(winpath "$TMP/jp.kav3")" --file "$(winpath "$TMP/copy")" \
        --do "menu 32771; boxes 1; info; menu 32773; boxes 2; info; menu 105")
    [[ "$got" == *'caption=KAV3 - [jp.kav3] '*'caption=KAV3 - [copy.kav3] '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; }
    cmp "$TMP/jp.kav3" "$TMP/copy.kav3" ;;
save-replaces-whole-file)
    # Saving over a file leaves exactly the new text, and no temporary file.
    script "$TMP/a.kav3" $'INIT{}\r\n'
    got=$(drive "$TMP/a.kav3" --timeout 20 --do "focus 200; type 200 X; menu 32772; wait 500; menu 105")
    expect "exit: 0" "$got"
    [ "$(cat "$TMP/a.kav3")" == $'XINIT{}\r' ] || { od -c "$TMP/a.kav3"; exit 1; }
    [ "$(find "$TMP" -type f | wc -l)" -eq 1 ] || { ls -la "$TMP"; exit 1; } ;;
open-size-limit)
    head -c 65534 /dev/zero | tr '\0' 'a' >"$TMP/fits.kav3"
    head -c 65535 /dev/zero | tr '\0' 'a' >"$TMP/big.kav3"
    got=$(drive "" --timeout 20 --file "$(winpath "$TMP/fits.kav3")" --file "$(winpath "$TMP/big.kav3")" \
        --do "menu 32771; boxes 1; info; menu 32771; boxes 3; info; menu 105")
    [[ "$got" == *'caption=KAV3 - [fits.kav3] '*'box: KAV Error: ファイルを開けません'*'caption=KAV3 - [fits.kav3] '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
run-error-keeps-editor)
    script "$TMP/err.kav3" $'CREATE{ SetCaption("エラー"); }\r\nINIT{ x = y; }\r\n'
    got=$(drive "$TMP/err.kav3" --timeout 30 --do "menu 32781; boxes 1; info; menu 32781; boxes 2; info; menu 105")
    [[ "$got" == "$init_error"$'\ninfo: '*'caption=KAV3 - [err.kav3] '*$'\n'"$init_error"$'\ninfo: '*'caption=KAV3 - [err.kav3] '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
run-create-error)
    script "$TMP/c.kav3" $'CREATE{ SetTimer(0); }\r\n'
    got=$(drive "$TMP/c.kav3" --timeout 20 --do "menu 32781; boxes 1; menu 105")
    [[ "$got" == $'box: KAV3 Error: サブルーチン : CREATE'*$'\nexit: 0' ]] || { echo "$got"; exit 1; } ;;
run-twice)
    # A run window that ends by itself leaves the editor ready for the next run.
    script "$TMP/r.kav3" $'CREATE{ SetCaption("実行テスト"); SetWinSize(200,100); }\r\n'
    got=$(drive "$TMP/r.kav3" --timeout 30 --do "menu 32781; window RUN; info; close; window KAV3; wait 500; menu 32781; window RUN; info; close; window KAV3; wait 500; menu 105")
    [[ "$got" == $'info: '*'caption=実行テスト '*$'\ninfo: '*'caption=実行テスト '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
compile)
    script "$TMP/app.kav3" $'CREATE{ SetCaption("作った アプリ // そのまま"); } // 消える\r\n'
    got=$(drive "$TMP/app.kav3" --timeout 30 \
        --do "menu 32790; window #32770:EXE ファイルにコンパイル; text 1029; button 1; boxes 1; window KAV3; menu 105")
    expect "text: 1029: $(winpath "$TMP/app.exe")
box: KAV3 Message: ファイルを作成しました
exit: 0" "$got"
    n=$(stat -c %s "$STUB")
    cmp -n "$n" "$STUB" "$TMP/app.exe"
    tail -c +$((n + 1)) "$TMP/app.exe" >"$TMP/payload"
    { printf '\0@KAV@'; printf 'CREATE{SetCaption("作った アプリ // そのまま");}' | iconv -f UTF-8 -t CP932; printf '\0\0'; } |
        cmp - "$TMP/payload"
    got=$(wine "$KAV3_DRIVER" --timeout 5 --do info "$TMP/app.exe" | tr -d '\r')
    [[ "$got" == *'caption=作った アプリ // そのまま '* ]] || { echo "$got"; exit 1; } ;;
compile-with-icon)
    script "$TMP/i.kav3" $'INIT{}\r\n'
    # An icon of the accepted form whose bytes all differ from the runtime's.
    "$(dirname "$KAV3_PACK")/kav3mkicon" "$TMP/base.ico"
    perl -0777 -pe 'substr($_, 62, 2176) =~ tr/\x00-\xff/\x01-\xff\x00/' "$TMP/base.ico" >"$TMP/mine.ico"
    got=$(drive "$TMP/i.kav3" --timeout 30 --file "$(winpath "$TMP/mine.ico")" \
        --do "menu 32790; window #32770:EXE ファイルにコンパイル; button 1028; boxes 1; button 1; boxes 2; window KAV3; menu 105")
    expect "filedlg: アイコンファイルを開く
box: KAV3 Message: ファイルを作成しました
exit: 0" "$got"
    at=$(perl -0777 -ne 'print $-[0] while /\xff\xff\xff\x00.{28}\x7f\x7f\x7f\x00.{28}\x00\x00\xff\x00/gs' "$STUB")
    cmp <(tail -c +$((at + 1)) "$TMP/i.exe" | head -c 2176) <(tail -c +63 "$TMP/mine.ico" | head -c 2176) ;;
compile-refusals)
    # No file yet: the builder asks for one; an existing output asks before
    # overwriting, and No leaves it untouched with the dialog open.
    script "$TMP/o.kav3" $'INIT{}\r\n'
    printf 'old' >"$TMP/o.exe"
    got=$(drive "$TMP/o.kav3" --timeout 30 --answer no \
        --do "menu 32790; window #32770:EXE ファイルにコンパイル; button 1; boxes 1; button 2; window KAV3; menu 105")
    expect "box: KAV3 Message: 同一名のファイルが既に存在します。\n上書きしますか？
exit: 0" "$got"
    [ "$(cat "$TMP/o.exe")" == old ]
    got=$(drive "" --timeout 20 --answer yes --do "menu 32789; boxes 1; menu 32790; boxes 2; menu 105" --answer no)
    [[ "$got" == *'box: KAV3 Error: ソースコードにファイル名を付けて保存してください'* ]] || { echo "$got"; exit 1; } ;;
search)
    script "$TMP/s.kav3" $'ab 漢字ab ab.\r\n'
    got=$(drive "$TMP/s.kav3" --timeout 20 \
        --do "settext 201 ab; button 143; wait 200; button 143; wait 200; button 143; boxes 1; menu 105")
    expect "box: KAV3 Error: 検索文字列が見つかりません
exit: 0" "$got" ;;
run-while-running)
    # Run and Compile refuse while a run window is open; leaving the editor
    # takes the run window along.
    script "$TMP/w.kav3" $'CREATE{ SetCaption("走行中"); SetWinSize(200,100); }\r\n'
    got=$(drive "$TMP/w.kav3" --timeout 30 --do "menu 32781; window RUN; window KAV3; menu 32781; boxes 1; menu 32790; boxes 2; menu 105")
    expect "box: KAV3 Error: 既にアプリケーションが実行中です
box: KAV3 Error: 既にアプリケーションが実行中です
exit: 0" "$got" ;;
run-without-create)
    # The runtime's defaults: caption "実行中", the screen less 80 at (40, 40).
    script "$TMP/d.kav3" $'INIT{}\r\n'
    got=$(drive "$TMP/d.kav3" --timeout 30 --do "menu 32781; window RUN; info; close; window KAV3; menu 105")
    [[ "$got" == *'caption=実行中 '* && "$got" == *'window=40,40,1200,944 '* && "$got" == *$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; } ;;
run-focus-and-tab)
    # A run inside the editor: the focus INIT gives waits for the window to be
    # shown, and Tab moves between the run's edits as in the runtime.
    form=$'CREATE{ SetWinSize(240,100); CreateControl(101,"","ID_a",10,10,200,20);\r\n'
    form+=$'    CreateControl(101,"","ID_b",10,40,200,20); }\r\nINIT{ SetControlFocus("ID_a"); }\r\n'
    script "$TMP/t.kav3" "$form"
    got=$(drive "$TMP/t.kav3" --timeout 30 --do "menu 32781; window RUN; press 65; press 9; press 66; text 600; text 601;
          close; window KAV3; menu 105")
    expect "text: 600: a
text: 601: b
exit: 0" "$got" ;;
exit-yes-saves-first)
    # Yes to the question on leaving saves under a new name and stays open; a
    # name without a dot gets ".kav3".
    got=$(drive "" --timeout 30 --answer yes --answer yes --file "$(winpath "$TMP/newprog")" \
        --do "menu 32789; boxes 1; menu 105; boxes 3; info; menu 105")
    [[ "$got" == *$'box: 終  了: '*$'\nfiledlg: 名前を付けて保存\ninfo: '*'caption=KAV3 - [newprog.kav3] '*$'\nexit: 0' ]] ||
        { echo "$got"; exit 1; }
    printf '%s' "$starter" | iconv -f UTF-8 -t CP932 | cmp - "$TMP/newprog.kav3" ;;
assist-command)
    # Paste leaves the dialog open for more; copy closes it; each category
    # ends its templates its own way.
    got=$(drive "" --timeout 30 --answer no --do "menu 32780; window #32770:コマンド　アシスト; text 1017;
        pick 1008 15; wait 200; text 1017; pick 1002 5; wait 200; text 1017; button 1003; wait 200;
        pick 1008 16; wait 200; button 1003; wait 200; pick 1008 0; wait 200; button 1004;
        window KAV3; wait 300; text 200; clipboard; menu 105")
    expect 'text: 1017: 四角形を描画する
text: 1017: ウィンドウが開く前に実行される
text: 1017: SetTimerで設定した間隔ごとに実行される
text: 200: TIMER\r\n{\r\n\r\n}\r\nMOUSE_X
clipboard: Box(scr,XL,YT,XR,YB,OC,IC) ;\r\n'"
$exit_box
exit: 0" "$got" ;;
assist-palette)
    # Line steps stop at 0 and 255, a page step does nothing, a drag sets the
    # value; the colours outlive the dialog, and cancelling leaves the clipboard.
    palette="window #32770:パレットの設定"
    got=$(drive "" --timeout 40 --do "menu 132; $palette; hscroll 5 254 101; hscroll 1 0 101; hscroll 1 0 101;
        hscroll 2 0 101; hscroll 5 1 102; hscroll 0 0 102; hscroll 0 0 102; hscroll 5 300 103; hscroll 5 128 103;
        wait 300; scrollpos 101; scrollpos 102; scrollpos 103; pixel 256 80; pixel 202 44;
        button 1004; window KAV3; wait 300; clipboard;
        menu 132; $palette; scrollpos 101; scrollpos 102; scrollpos 103; pixel 256 80; button 1023; button 1004;
        window KAV3; wait 300; clipboard; menu 132; $palette; close; window KAV3; wait 300; clipboard; menu 105")
    colours=$'scrollpos: 101: 255\nscrollpos: 102: 0\nscrollpos: 103: 128\npixel: 256,80 FF0080'
    expect "$colours
pixel: 202,44 000000
clipboard: SetPal(n,255,0,128) ;\r\n
$colours
clipboard: 255,0,128
clipboard: 255,0,128
exit: 0" "$got" ;;
assist-style)
    style="window #32770:ウィンドウスタイル"
    got=$(drive "" --timeout 30 --answer no --do "menu 32783; $style; button 306; button 1003; window KAV3; wait 300;
        menu 32783; $style; button 303; button 1004; window KAV3; wait 300; clipboard;
        menu 32783; $style; button 1003; window KAV3; wait 300; text 200; menu 105")
    expect 'clipboard: SetWinStyle(3) ;\r\n
text: 200: SetWinStyleOption(2,80,80) ;\r\nSetWinStyle(0) ;\r\n'"
$exit_box
exit: 0" "$got" ;;
assist-control)
    control="window #32770:コントロールを選択"
    got=$(drive "" --timeout 30 --answer no --do "menu 32788; $control; button 517; button 1003; window KAV3; wait 300;
        menu 32788; $control; button 516; button 1003; window KAV3; wait 300;
        menu 32788; $control; button 1003; window KAV3; wait 300; text 200; menu 105")
    line() { printf 'CreateControl(%s,"str","ID_control",x,y,w,h) ;\\r\\n' "$1"; }
    expect "text: 200: $(line 1)$(line 41)$(line 0)
$exit_box
exit: 0" "$got" ;;
assist-font)
    # The first face in full, then the bare name; another face and style copied.
    font="window #32770:フォントの設定"
    got=$(drive "" --timeout 30 --answer no --do "menu 32784; $font; button 1003; window KAV3; wait 300;
        menu 32784; $font; button 203; button 1024; button 1003; window KAV3; wait 300; text 200;
        menu 32784; $font; pick 205 1; wait 200; button 204; button 1004; window KAV3; wait 300; clipboard; menu 105")
    re=$'^text: 200: SetFont\\("([^"]+)",0\\) ;\\\\r\\\\n([^\n]+)\nclipboard: SetFont\\("([^"]+)",3\\) ;\\\\r\\\\n\n'
    [[ "$got" =~ $re ]] || { echo "$got"; exit 1; }
    [ "${BASH_REMATCH[1]}" == "${BASH_REMATCH[2]}" ] && [ "${BASH_REMATCH[1]}" != "${BASH_REMATCH[3]}" ] ||
        { echo "$got"; exit 1; }
    [[ "$got" == *"$exit_box"$'\nexit: 0' ]] || { echo "$got"; exit 1; } ;;
assist-file-name)
    # A 255-byte path goes in whole, in its quotes; cancelling inserts nothing.
    mkdir "$TMP/d"
    stem="$TMP/d/"
    name=$(printf 'f%.0s' $(seq $((255 - $(winpath "$stem" | wc -c)))))
    touch "$stem$name"
    long=$(winpath "$stem$name")
    [ ${#long} -eq 255 ] || { echo "path of ${#long} bytes"; exit 1; }
    got=$(drive "" --timeout 30 --answer no --file "$long" --file - \
        --do "menu 32785; boxes 1; menu 32785; boxes 2; text 200; menu 105")
    expect "filedlg: ファイル名の取得
filedlg: ファイル名の取得
text: 200: \"$long\"
$exit_box
exit: 0" "$got" ;;
assist-version)
    # From the help menu, and by Alt+"/" (the key of "/" and "?").
    version="box: バージョン情報 ＫＡＶ３:  ＫＡＶ３ (64bit) version 1.02 "
    got=$(drive "" --timeout 20 --do "menu 104; wait 500; press 0xBF 18; wait 500; menu 105")
    expect "$version
$version
exit: 0" "$got" ;;
*)
    echo "unknown case $case_name"
    exit 2 ;;
esac
