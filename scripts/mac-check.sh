#!/usr/bin/env bash
# Checks a built macOS app bundle as a user's Mac will run it: the executable
# loads nothing but system libraries and frameworks, the ad-hoc signature
# verifies, and started with a scratch home it logs its launch and is still
# running a few seconds later; a second start then asks the first one to
# open its popup and exits 0, leaving the first running.
# Usage: scripts/mac-check.sh [APP_BUNDLE]   (default: "build/Pellimore Clip.app")
set -euo pipefail
app=${1:-$(dirname "$0")/../build/Pellimore Clip.app}
executable="$app/Contents/MacOS/Pellimore Clip"

fail() {
  echo "mac-check: $*" >&2
  exit 1
}
[ -x "$executable" ] || fail "no executable at $executable"

# otool's first line names the file (and, in a universal binary, each
# architecture); the others are the libraries it loads.
otool -L "$executable"
foreign=$(otool -L "$executable" | awk '!/:$/ { print $1 }' | grep -Ev '^/(System|usr/lib)/' || true)
[ -z "$foreign" ] || fail "loads libraries from outside the system: $foreign"

codesign --verify --strict --verbose=2 "$app"

# Foundation takes the home folder from HOME or, where it ignores that, from
# CFFIXED_USER_HOME; both point at the scratch folder. It is short: the
# single-instance socket lives in it, and a path of over 104 bytes (as under
# mktemp's default /var/folders/...) would not fit a socket address.
tmp=$(mktemp -d /tmp/pc.XXXXXX)
log="$tmp/Library/Application Support/Copperwell/debug.log"
HOME="$tmp" CFFIXED_USER_HOME="$tmp" "$executable" >"$tmp/app.out" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
sleep 8
if ! kill -0 "$pid" 2>/dev/null; then
  cat "$tmp/app.out" >&2
  fail "the app ended by itself within 8 seconds"
fi
grep "launch: Accessibility" "$log" ||
  fail "no launch line in $log; debug logs under the scratch home: $(find "$tmp" -name debug.log)"

# macOS has no timeout(1): the second start gets 20 seconds by hand.
HOME="$tmp" CFFIXED_USER_HOME="$tmp" "$executable" >"$tmp/second.out" 2>&1 &
second=$!
for _ in $(seq 40); do
  kill -0 "$second" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$second" 2>/dev/null; then
  kill "$second"
  fail "a second start was still running after 20 seconds"
fi
status=0
wait "$second" || status=$?
if [ "$status" -ne 0 ]; then
  cat "$tmp/second.out" >&2
  fail "a second start exited with $status"
fi
kill -0 "$pid" 2>/dev/null || fail "the first instance ended when a second one started"
echo "mac-check: $app loads only system libraries, is signed, starts and logs its launch," \
  "and a second start hands over to it"
