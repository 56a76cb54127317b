#!/usr/bin/env bash
# make-clips.sh DIR: the video clips of the tests, made with ffmpeg (moving
# colour bars and a 440 Hz tone, 3 seconds), and a file that only looks like one.
#   bars3.mp4       H.264 and AAC: the media session's clip (plays on Windows,
#                   and under Wine with GStreamer's libav plugins)
#   bars3_msv1.avi  Microsoft Video 1 and PCM: the MCI window's clip (Wine's
#                   MCI plays only what Video for Windows codecs decode)
#   not_video.mp4   text
set -euo pipefail
dir=$1
stamp="made-by-$(sha1sum "$0" | cut -c1-12)"
mkdir -p "$dir"
cd "$dir"
[ -f "$stamp" ] && exit 0
rm -f made-by-*
video=(-f lavfi -i testsrc2=size=160x120:rate=25:duration=3)
audio=(-f lavfi -i sine=frequency=440:duration=3:sample_rate=44100)
ffmpeg -v error -y "${video[@]}" "${audio[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest \
    -movflags +faststart bars3.mp4
ffmpeg -v error -y "${video[@]}" "${audio[@]}" -c:v msvideo1 -c:a pcm_s16le -shortest bars3_msv1.avi
printf 'This is not a video.\r\n' >not_video.mp4
touch "$stamp"
