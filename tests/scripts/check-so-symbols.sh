#!/usr/bin/env bash
# Checks that each Linux plug-in makes exactly getModuleProperties and makeModule visible.
set -euo pipefail
status=0
for so in "$@"; do
  symbols=$(nm -D --defined-only "$so" | awk '{print $NF}' | sort | tr '\n' ' ')
  if [ "$symbols" = "getModuleProperties makeModule " ]; then
    echo "ok $so: $symbols"
  else
    echo "FAIL $so: visible symbols '$symbols'"
    status=1
  fi
done
exit $status
