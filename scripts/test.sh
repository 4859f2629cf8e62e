#!/usr/bin/env bash
# Builds the three presets and runs all their test suites.
#   native: platform-neutral code under AddressSanitizer and UndefinedBehaviorSanitizer
#   win64:  the module and its tools for x86_64 Windows; behaviour tests under wine64
#   win32:  the shipped i686 module; its tests are built, its export/import tables checked
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
passed=0
failed=0
for preset in native win64 win32; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: test"
  log=$(mktemp)
  set +e
  # Wine tests share one prefix and its registry: they run one at a time.
  ctest --preset "$preset" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)
  rm -f "$log"
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  if [ "$status" -ne 0 ]; then
    failed=$((failed > 0 ? failed : 1))
    echo "=== $preset: tests failed"
  fi
done

echo "all presets: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
