#!/usr/bin/env bash
# edit_bytes_file.sh ENV: a Shift-JIS file read byte by byte into an edit with
# ReadFile and SetEditCode, then saved with WriteFileFromEdit, comes out byte
# for byte the same (cmp says so, not our own reading); a file cut right after
# a lead byte ends with that byte as the edit takes any lone byte.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# The script, Shift-JIS with CR LF as users keep it: the file chosen first is
# copied into the edit a byte at a time, the edit saved to the one chosen next.
iconv -f UTF-8 -t CP932 <<'KAV3' | sed 's/$/\r/' >"$TMP/copy.kav3"
CREATE{ SetWinSize(320,200); CreateControl(100,"","ID_e",10,10,300,180); }
INIT{
    if(OpenFileReadDlg("元のファイル")==1){
        n=GetFileLength("FILE_NAME");
        i=0;
        loop(n){ SetEditCode("ID_e",ReadFile(i)); i=i+1; }
        CloseFile;
        if(OpenFileWriteDlg("写し")==1){ WriteFileFromEdit("ID_e"); CloseFile; }
    }
    end;
}
KAV3
"$KAV3_PACK" "$KAV3_OUT/Kav3File.exe" "$TMP/copy.kav3" "$TMP/app.exe"

# copy ORIGINAL COPY: runs the script on the two files; the boxes it met are printed.
copy() {
    wine "$KAV3_DRIVER" --timeout 10 --file "$1" --file "$2" "$TMP/app.exe" | tr -d '\r'
}
expect_run() {
    local want=$'filedlg: 元のファイル\nfiledlg: 写し\nexit: 0'
    [ "$1" == "$want" ] || { printf 'the driver printed:\n%s\n' "$1"; exit 1; }
}

# Kanji and kana, trail bytes in 40-7E (ー 81 5B) and 5C (表 ソ 能), half-width
# kana (single bytes A1-DF), line ends, blanks and digits.
printf '漢字とかなとカナ、ｶﾀｶﾅ。表示ソフトの能力ー\r\nabc 123\t[x]\r\n日本語のテキスト\r\n' |
    iconv -f UTF-8 -t CP932 >"$TMP/original.txt"
expect_run "$(copy "$TMP/original.txt" "$TMP/copy.txt")"
cmp "$TMP/original.txt" "$TMP/copy.txt"

# Cut after the lead byte of 日 (93 FA): the lone 93 becomes ・ (81 45), as
# the edit takes it; nothing before it changes.
{ cat "$TMP/original.txt"; printf '\x93'; } >"$TMP/cut.txt"
expect_run "$(copy "$TMP/cut.txt" "$TMP/cut-copy.txt")"
{ cat "$TMP/original.txt"; printf '\x81\x45'; } >"$TMP/cut-want.txt"
cmp "$TMP/cut-want.txt" "$TMP/cut-copy.txt"
