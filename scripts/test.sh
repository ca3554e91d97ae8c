#!/usr/bin/env bash
# Builds everything and runs the whole test suite (unit and end-to-end).
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build_dir=${1:-build}
shift || true
jobs=$( (nproc || sysctl -n hw.ncpu) 2>/dev/null)

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel "$jobs"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs"
