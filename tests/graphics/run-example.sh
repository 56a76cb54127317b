#!/usr/bin/env bash
# run-example.sh ENV EXPECT EXAMPLE: runs a Shift-JIS example from examples/ as a
# script-level test, with the driver options and expected lines of EXPECT
# (written as in tests/scripts) put in front of it.
set -euo pipefail
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
name=$(basename "$3")
{ cat "$2"; iconv -f CP932 -t UTF-8 "$3" | tr -d '\r'; } >"$dir/$name"
bash "$(dirname "$0")/../wine/run-script.sh" "$1" "$dir/$name"
