#!/usr/bin/env bash
# Builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$( (nproc || sysctl -n hw.ncpu) 2>/dev/null)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "The application target is not built yet; the core library and its tests are." >&2
exit 1
