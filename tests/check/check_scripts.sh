#!/usr/bin/env bash
# check_scripts.sh KAV3CHECK ROOT: every example and every script-level test
# through the checker, as users keep scripts (Shift-JIS, CR LF). A script that
# is wrong on purpose says what the checker must print for it, in order:
#   // check: LINE:COLUMN: MESSAGE (SUBJECT)
# Every other script must pass: nothing printed, exit status 0.
set -euo pipefail
check="$1"
root="$2"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

failed=0
count=0
# check_one NAME SJIS UTF8: the Shift-JIS form is checked, the UTF-8 one read.
check_one() {
    local name="$1" sjis="$2" utf8="$3" want got status=0 expected_status=0
    want=$(sed -n 's/\r$//; s|^// check: ||p' "$utf8")
    got=$("$check" "$sjis" 2>&1) || status=$?
    got=${got//"$sjis:"/}
    [ -z "$want" ] || expected_status=1
    count=$((count + 1))
    if [ "$got" != "$want" ] || [ "$status" -ne "$expected_status" ]; then
        failed=1
        printf '%s: exit %s (expected %s)\n--- expected:\n%s\n--- got:\n%s\n' "$name" "$status" \
            "$expected_status" "$want" "$got"
    fi
}

for f in "$root"/examples/*.kav3; do
    iconv -f CP932 -t UTF-8 "$f" >"$TMP/utf8.kav3"
    check_one "${f#"$root"/}" "$f" "$TMP/utf8.kav3"
done
while IFS= read -r -d '' f; do
    iconv -f UTF-8 -t CP932 "$f" | sed 's/\r*$/\r/' >"$TMP/sjis.kav3"
    check_one "${f#"$root"/}" "$TMP/sjis.kav3" "$f"
done < <(find "$root/tests/scripts" "$root/tests/check" -name '*.kav3' -print0 | sort -z)

[ "$count" -gt 0 ] || { echo "no scripts found under $root"; exit 1; }
[ "$failed" -eq 0 ] && echo "$count scripts checked"
exit "$failed"
