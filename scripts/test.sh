#!/usr/bin/env bash
# The test command: installs what is missing, builds the three targets (and
# the benchmarks, without running them), runs every target's tests (the
# Windows ones under Wine), then compares the plug-ins' output vectors
# across the targets byte for byte.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh

jobs=$(nproc)
passed=0
failed=0
for preset in native i386 win32; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  log=$(mktemp)
  if ctest --preset "$preset" | tee "$log"; then :; fi
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" || echo "0% tests passed, 1 tests failed out of 1")
  total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  rm -f "$log"
done

echo "== benchmarks (build only)"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

echo "== the same output on every target"
for plugin in tiltbias splitgain; do
  for preset in i386 win32; do
    if cmp "build/native/vectors/$plugin.bin" "build/$preset/vectors/$plugin.bin"; then
      echo "ok $plugin: native and $preset give the same $(stat -c %s "build/native/vectors/$plugin.bin") bytes"
      passed=$((passed + 1))
    else
      echo "FAIL $plugin: native and $preset differ"
      failed=$((failed + 1))
    fi
  done
done

echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
