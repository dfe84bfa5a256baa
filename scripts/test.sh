#!/usr/bin/env bash
# Sets everything up and runs every test suite: the Linux build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets, and the
# Windows cross builds under Wine. Exits non-zero if any suite fails.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

failed=()
suite() {
  local preset=$1
  echo "=== ${preset} ==="
  if cmake --preset "${preset}" && cmake --build --preset "${preset}" &&
    ctest --preset "${preset}"; then
    return 0
  fi
  failed+=("${preset}")
}

suite linux-debug
suite linux-fuzz
for preset in windows-x64 windows-x86; do
  suite "${preset}"
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "FAILED suites: ${failed[*]}"
  exit 1
fi
echo "All suites passed."
