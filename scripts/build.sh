#!/usr/bin/env bash
# The main command: installs what is missing, builds the deliverables for
# every target, then loads each built plug-in in our host and prints its
# description and pin table.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh

jobs=$(nproc)
for preset in native i386 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" --target sehost tiltbias splitgain >/dev/null
done

echo "== Windows deliverables (build/win32/plugins), read by our host under Wine"
scripts/run-wine.sh build/win32/tools/sehost/sehost.exe info \
  build/win32/plugins/tiltbias.sep build/win32/plugins/splitgain.sep | tr -d '\r'
for preset in native i386; do
  echo "== $preset Linux builds (build/$preset/plugins)"
  "build/$preset/tools/sehost/sehost" info "build/$preset/plugins/tiltbias.so" "build/$preset/plugins/splitgain.so"
done
