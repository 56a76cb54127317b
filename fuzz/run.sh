#!/usr/bin/env bash
# Builds the libFuzzer tree (build/fuzz) when needed and runs every target for
# SECONDS each (default 10) from a scratch copy of its seed corpus, so routine
# runs never grow the committed corpus. Exits non-zero on any finding (crash,
# sanitizer report, hang, out of memory); logs and reproducers are kept in
# build/fuzz/runs/<target>/.
#
#   fuzz/run.sh [SECONDS]
#
# Environment: KAV3_FUZZ_JOBS=N runs N targets at a time (default 1).
set -euo pipefail

seconds=${1:-10}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds < 1)); then
  echo "usage: fuzz/run.sh [SECONDS]" >&2
  exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root/build/fuzz
targets=(fuzz_text fuzz_exec fuzz_diff fuzz_bmp)
max_len=4096
# One input must finish in this time. The step budget keeps inputs to a few
# seconds under the sanitizers even on a busy machine; a hang outlives it.
timeout_per_input=60

if [[ ! -f $tree/build.ninja ]]; then
  cmake -S "$root" -B "$tree" -G Ninja -DKAV3_FUZZ=ON -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if ! build_log=$(cmake --build "$tree" 2>&1); then
  echo "$build_log" >&2
  echo "fuzz/run.sh: the fuzz tree does not build" >&2
  exit 1
fi

# Scratch corpora; logs and reproducers go to build/fuzz/runs/<target>/.
work=$(mktemp -d "${TMPDIR:-/tmp}/kav3-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
runs_dir=$tree/runs

# Runs one target; its exit status ends up in runs/<target>/status.
fuzz_one() {
  local target=$1
  local corpus=$work/$target out=$runs_dir/$target
  rm -rf "$out"
  mkdir -p "$corpus" "$out/findings"
  # fuzz_diff takes scripts as fuzz_exec does and starts from its seeds.
  local seeds=$target
  [[ $target == fuzz_diff ]] && seeds=fuzz_exec
  cp -R "$root/fuzz/corpus/$seeds/." "$corpus/"
  # A target with a dictionary of its own uses it; the others, the script words.
  local dict=$root/fuzz/$target.dict
  [[ -f $dict ]] || dict=$root/fuzz/kav3.dict
  local status=0
  "$tree/fuzz/$target" "$corpus" \
    -dict="$dict" -max_len=$max_len -timeout=$timeout_per_input -rss_limit_mb=2048 \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/findings/" \
    >"$out/log" 2>&1 || status=$?
  echo $status >"$out/status"
}

jobs=${KAV3_FUZZ_JOBS:-1}
for target in "${targets[@]}"; do
  fuzz_one "$target" &
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
done
wait

failed=0
for target in "${targets[@]}"; do
  out=$runs_dir/$target
  status=$(cat "$out/status" 2>/dev/null || echo 1)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log" | tail -n 1)
  if ((status != 0)) || compgen -G "$out/findings/*" >/dev/null; then
    failed=1
    echo "$target: FINDING after ${runs:-?} runs (exit $status), log: $out/log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz_[a-z]+: check failed)|runtime error' "$out/log" | head -n 5 | sed 's/^/  /' || true
    for f in "$out"/findings/*; do
      [[ -e $f ]] && echo "  reproduce: $tree/fuzz/$target $f"
    done
  else
    echo "$target: ok, ${runs:-?} runs in ${seconds}s"
  fi
done
exit $failed
