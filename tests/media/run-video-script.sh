#!/usr/bin/env bash
# run-video-script.sh ENV CLIPS SCRIPT [EXPECT]: a script-level test that plays
# video; with EXPECT, SCRIPT is a Shift-JIS example and EXPECT holds its driver
# options and expected lines. "@CLIPS@" in them stands for the folder of the
# test clips in Windows form, "@CLIPDIR@" for the same in Unix form. The program gets a sound device of its own that discards what it
# plays (a private sound server with a null sink), and Direct3D draws through
# Vulkan, the renderer whose pictures reach child windows under Xvfb.
set -euo pipefail
env_file=$1
clips=$2
script=$3
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
pulse=""
cleanup() {
    if [ -n "$pulse" ]; then kill "$pulse" 2>/dev/null || true; wait "$pulse" 2>/dev/null || true; fi
    rm -rf "$dir"
}
trap cleanup EXIT

HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=file:"$dir/pulse.log" \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" -L "module-null-sink sink_name=discard" \
    </dev/null >/dev/null 2>&1 &
pulse=$!
for _ in $(seq 250); do
    [ -S "$dir/native" ] && break
    kill -0 "$pulse" 2>/dev/null || { echo "the sound server did not start:"; cat "$dir/pulse.log"; exit 1; }
    sleep 0.02
done
# The test environment names no sound server; this one is read after it.
{ cat "$env_file"; echo "export PULSE_SERVER=unix:$dir/native WINE_D3D_CONFIG=renderer=vulkan"; } >"$dir/env"

windows=$(realpath -m "$clips")
windows="Z:${windows//\//\\}"
name=$(basename "$script")
if [ $# -ge 4 ]; then
    { cat "$4"; iconv -f CP932 -t UTF-8 "$script" | tr -d '\r'; } >"$dir/source"
else
    cp "$script" "$dir/source"
fi
sed -e "s|@CLIPS@|${windows//\\/\\\\}|g" -e "s|@CLIPDIR@|$(realpath -m "$clips")|g" "$dir/source" >"$dir/$name"
# Wine's media session now and then loses the start that follows a seek's stop
# (the picture freezes and the clock stays at 0; measured about once in
# twenty seeks): a run that fails is tried once more, its first output kept.
if ! bash "$here/../wine/run-script.sh" "$dir/env" "$dir/$name" >"$dir/first" 2>&1; then
    echo "--- the first run failed; once more (Wine's media session sometimes loses a seek):"
    cat "$dir/first"
    bash "$here/../wine/run-script.sh" "$dir/env" "$dir/$name"
else
    cat "$dir/first"
fi
