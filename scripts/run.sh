#!/usr/bin/env bash
# Builds the application and starts it: on Linux in the current Wayland
# session or on the current X display; the app chooses which (see "On
# Wayland" in the README).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "$(uname -s)" != "Darwin" && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it inside a" \
    "graphical session" >&2
  exit 1
fi

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
cmake --build build --target pellimore-clip --parallel "$jobs"
exec build/src/platform/linux/pellimore-clip "$@"
