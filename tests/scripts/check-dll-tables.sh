#!/usr/bin/env bash
# Checks each Windows plug-in's export table (exactly getModuleProperties @1
# and makeModule @2), its import table (system DLLs only), and that the
# framework's GUI side is compiled in.
set -euo pipefail
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
allowed='^(kernel32|msvcrt)\.dll$'
status=0
for dll in "$@"; do
  dump=$("$objdump" -p "$dll")
  # "[Ordinal/Name Pointer] Table" lists "[ n] name", n being the ordinal less the ordinal base.
  exports=$(printf '%s\n' "$dump" | awk '
    /^Ordinal Base/ {base = $NF}
    /^\[Ordinal\/Name Pointer\] Table/ {names = 1; next}
    names && /^\t\[/ {n = $0; sub(/^\t\[ */, "", n); sub(/\].*/, "", n); printf "%s@%d ", $NF, n + base; next}
    names {names = 0}
  ')
  if [ "$exports" != "getModuleProperties@1 makeModule@2 " ]; then
    echo "FAIL $dll: exports '$exports'"
    status=1
  fi
  imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ {print $3}')
  for name in $imports; do
    if ! printf '%s\n' "$name" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "FAIL $dll: imports from $name"
      status=1
    fi
  done
  if ! "${NM:-i686-w64-mingw32-nm}" -C "$dll" | grep 'SEGUI_base::dispatcher' >/dev/null; then
    echo "FAIL $dll: the GUI side is missing"
    status=1
  fi
  [ $status -eq 0 ] && echo "ok $dll: exports $exports; imports from" $imports
done
exit $status
