#!/usr/bin/env bash
# Builds the release programs and prints the table of what users feel:
#   bench/run.sh [--runs N] [--countdown SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >/dev/null
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release >/dev/null
windows=()
for arch in x64 x86; do
  if cmake --preset "windows-${arch}" >/dev/null 2>&1 &&
    cmake --build --preset "windows-${arch}" --target Ostrivel ostrivel_probe >/dev/null 2>&1; then
    windows+=("--windows-${arch}" "build/windows-${arch}/bin/Ostrivel.exe")
  fi
done
exec /usr/bin/python3 bench/measure.py --linux build/linux-release/src/platform/qt/ostrivel \
  "${windows[@]}" "$@"
