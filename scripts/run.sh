#!/usr/bin/env bash
# Builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$( (nproc || sysctl -n hw.ncpu) 2>/dev/null)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [[ "$(uname -s)" == "Darwin" ]]; then
  # The menu-bar app bundle, signed ad hoc by the build; `open` starts it as
  # macOS starts any application, so the Accessibility grant applies to it.
  cmake --build build --target pellimore_clip_app --parallel "$jobs"
  open "build/Pellimore Clip.app"
  exit 0
fi

echo "The application target is not built yet; the core library and its tests are." >&2
exit 1
