#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, installs it with
# apt-get (as root, or with sudo), checks what it put in place, then starts
# the installed app on a private Xvfb display with a scratch home for a few
# seconds: it must log its launch and still be running at the end. The
# package stays installed.
# Usage: scripts/deb-check.sh [BUILD_DIR]   (default: build, as scripts/test.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

fail() {
  echo "deb-check: $*" >&2
  exit 1
}

cmake --build "$build" --target pellimore-clip pellimore_icons
rm -f "$build"/packages/*.deb
cpack --config "$build/CPackConfig.cmake"
debs=("$build"/packages/pellimore-clip_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no package in $build/packages"
deb=$(realpath "${debs[0]}")
dpkg-deb --field "$deb" Depends

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# Another apt-get may hold the dpkg lock for a while: wait for it.
DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
  --reinstall "$deb" >/dev/null

command -v pellimore-clip >/dev/null || fail "pellimore-clip is not on PATH after installing"
desktop_entry=/usr/share/applications/pellimore-clip.desktop
[ -f "$desktop_entry" ] || fail "$desktop_entry is missing"
grep -qx "Exec=$(command -v pellimore-clip)" "$desktop_entry" ||
  fail "$desktop_entry does not start the installed app by its full path"
for size in 16 22 24 32 48 64 128 256 512; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/pellimore-clip.png
  [ -f "$icon" ] || fail "$icon is missing"
done

# A scratch home, and no data or runtime folders of the caller's.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -m 700 "$tmp/home" "$tmp/run"
log="$tmp/home/.local/share/Copperwell/debug.log"
status=0
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24 -nolisten tcp" \
  timeout 8 pellimore-clip >"$tmp/app.log" 2>&1 || status=$?
# timeout's 124: the app was still running when its time was up.
if [ "$status" -ne 124 ]; then
  cat "$tmp/app.log" >&2
  fail "the installed app ended by itself with status $status"
fi
grep "launch: Accessibility" "$log" || fail "no launch line in $log"
echo "deb-check: $(basename "$deb") installs, starts and logs its launch"
