#!/usr/bin/env bash
# Fuzzes the platform-neutral code with libFuzzer: scripts/fuzz.sh [seconds per target, 60].
# Each target starts from its seed corpus in fuzz/corpus; new inputs collect in
# build/fuzz/corpus/<target>, a crashing input in build/fuzz/crash-<target>-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/setup.sh
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev
fi
cmake --preset fuzz >/dev/null
targets=$(sed -nE 's/^zorv_add_fuzz_target\(([a-z_]+) .*/\1/p' fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build --preset fuzz -j "$(nproc)" --target $targets
for target in $targets; do
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  echo "=== $target: $seconds s"
  "build/fuzz/bin/$target" -max_total_time="$seconds" -max_len=1024 \
    -artifact_prefix="build/fuzz/crash-$target-" "$work" "fuzz/corpus/$target"
done
