#!/usr/bin/env bash
# audio.sh OUT.wav COMMAND...: runs COMMAND (a Wine program) with a sound device
# of its own and saves what it played into OUT.wav, from its first sound to its
# last, silences between sounds kept.
#
# The device is a private PulseAudio server whose one sink writes into a pipe at
# the pace of the system clock: sounds take their real time, several sounds mix
# as on speakers, and nothing reaches the host's own sound server. Wine chooses
# PulseAudio whenever PULSE_SERVER names a server that answers.
set -euo pipefail
out=$(realpath -m "$1")
shift
dir=$(mktemp -d)
pulse=""
reader=""
cleanup() {
    if [ -n "$pulse" ]; then kill -KILL "$pulse" 2>/dev/null || true; wait "$pulse" 2>/dev/null || true; fi
    if [ -n "$reader" ]; then wait "$reader" 2>/dev/null || true; fi
    rm -rf "$dir"
}
trap cleanup EXIT

# The server keeps its state and sockets in $dir; its output goes to a file, so
# that a caller waiting for our output (CTest) does not wait for the server.
HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=file:"$dir/pulse.log" \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    -L "module-pipe-sink sink_name=recorder file=$dir/sink format=s16le rate=44100 channels=2 use_system_clock_for_timing=yes" \
    </dev/null >/dev/null 2>&1 &
pulse=$!
for _ in $(seq 250); do
    [ -p "$dir/sink" ] && [ -S "$dir/native" ] && break
    kill -0 "$pulse" 2>/dev/null || { echo "audio.sh: the sound server did not start:" >&2; cat "$dir/pulse.log" >&2; exit 1; }
    sleep 0.02
done
[ -p "$dir/sink" ] || { echo "audio.sh: the sound server did not start" >&2; exit 1; }
cat "$dir/sink" >"$dir/played.raw" &
reader=$!

code=0
PULSE_SERVER="unix:$dir/native" "$@" || code=$?

# What the program handed over last is still in the server's buffers.
sleep 0.5
kill -TERM "$pulse" 2>/dev/null || true
wait "$pulse" 2>/dev/null || true
pulse=""
wait "$reader" || true
reader=""
sox -t raw -r 44100 -e signed -b 16 -c 2 "$dir/played.raw" "$out" \
    silence 1 0.005 0.1% reverse silence 1 0.005 0.1% reverse
exit "$code"
