#!/usr/bin/env bash
# Fuzzes the platform-neutral code with libFuzzer, apart from the Wine tests:
#   scripts/fuzz.sh [seconds per text target, 60] [seconds for the JPEG target, 6 × that]
# Each target starts from its seed corpus in fuzz/corpus; new inputs collect in
# build/fuzz/corpus/<target>, a crashing input in build/fuzz/crash-<target>-*. The JPEG target
# takes inputs up to 32 KB from the start (a multi-scan progressive file does not fit in 1 KB;
# libFuzzer would otherwise grow its limit slowly from the seeds' sizes); the text targets up
# to 1 KB. Each run ends with libFuzzer's final statistics (executions, coverage).
set -euo pipefail
cd "$(dirname "$0")/.."
text_seconds="${1:-60}"
jpeg_seconds="${2:-$((text_seconds * 6))}"
bash scripts/setup.sh
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev
fi
cmake --preset fuzz >/dev/null
targets=$(sed -nE 's/^zorv_add_fuzz_target\(([a-z_]+) .*/\1/p' fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build --preset fuzz -j "$(nproc)" --target $targets
for target in $targets; do
  seconds="$text_seconds" max_len=1024 len_control=100
  if [ "$target" = fuzz_jpeg_file ]; then seconds="$jpeg_seconds" max_len=32768 len_control=0; fi
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  echo "=== $target: $seconds s, inputs up to $max_len bytes"
  "build/fuzz/bin/$target" -max_total_time="$seconds" -max_len="$max_len" \
    -len_control="$len_control" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/crash-$target-" "$work" "fuzz/corpus/$target"
done
