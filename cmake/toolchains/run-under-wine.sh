#!/usr/bin/env bash
# run-under-wine.sh LOADER PROGRAM [ARGS...]
# Runs a cross-built test program under Wine, in a prefix of the build
# directory (created on first use), and exits with the program's exit code.
# Exits 77 (ctest: skipped) when this machine cannot run the program at all.
set -uo pipefail

loader=$1
shift

if [ ! -x "$loader" ]; then
  echo "SKIP: $loader is missing; scripts/install-deps.sh installs Wine"
  exit 77
fi
# A kernel without 32-bit support refuses the 32-bit loader itself
# (exec format error), whatever Wine packages are installed.
if ! "$loader" --version >/dev/null 2>&1; then
  echo "SKIP: $loader cannot start on this machine (no 32-bit support in the kernel?)"
  exit 77
fi

build_dir=$PWD
while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do
  build_dir=$(dirname "$build_dir")
done
[ "$build_dir" = / ] && build_dir=$PWD

export WINEPREFIX=${OSTRIVEL_WINEPREFIX:-$build_dir/wine-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine's helper processes inherit the output of the first program and the
# wineserver outlives it, so a pipe (as ctest reads output) would never
# close: every Wine command writes to a file instead.
log=$(mktemp)
trap 'rm -f "$log"' EXIT

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout -k 5 180 /usr/lib/wine/wine64 wineboot --init >"$log" 2>&1 ||
      { echo "wine-prefix creation failed:"; cat "$log"; exit 1; }
  fi
) 9>"$WINEPREFIX.lock" || exit 1

timeout -k 5 "${OSTRIVEL_WINE_TIMEOUT:-280}" "$loader" "$@" >"$log" 2>&1
status=$?
cat "$log"
exit "$status"
