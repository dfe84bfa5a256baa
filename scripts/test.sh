#!/usr/bin/env bash
# Sets everything up and runs every test suite: the Linux build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets, and the
# Windows cross builds under Wine. Exits non-zero if any suite fails, and ends
# with one line that adds up the tests of all suites.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

logs=$(mktemp -d)
trap 'rm -rf "${logs}"' EXIT
failed=()
passed=0 failures=0 skipped=0

suite() {
  local preset=$1 log="${logs}/$1.log"
  echo "=== ${preset} ==="
  if ! { cmake --preset "${preset}" && cmake --build --preset "${preset}"; }; then
    failed+=("${preset} (build)")
    return
  fi
  ctest --preset "${preset}" 2>&1 | tee "${log}"
  [ "${PIPESTATUS[0]}" -eq 0 ] || failed+=("${preset}")

  # "100% tests passed, 0 tests failed out of 155"; skipped tests count as
  # passed there, so they are taken out.
  local summary total failing skipping
  summary=$(grep -E 'tests failed out of [0-9]+' "${log}" | tail -n 1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"${summary}")
  failing=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"${summary}")
  skipping=$(grep -c '(Skipped)' "${log}")
  passed=$((passed + ${total:-0} - ${failing:-0} - skipping))
  failures=$((failures + ${failing:-0}))
  skipped=$((skipped + skipping))
}

suite linux-debug
suite linux-fuzz
suite windows-x86
suite windows-x64

if [ "${#failed[@]}" -ne 0 ]; then
  echo "FAILED suites: ${failed[*]}"
fi
echo "tests: ${passed} passed, ${failures} failed, ${skipped} skipped"
[ "${#failed[@]}" -eq 0 ]
