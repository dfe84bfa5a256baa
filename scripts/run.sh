#!/usr/bin/env bash
# Sets everything up, builds the Linux program in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux-release
cmake --build --preset linux-release
exec build/linux-release/src/platform/qt/ostrivel "$@"
