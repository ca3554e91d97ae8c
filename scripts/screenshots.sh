#!/usr/bin/env bash
# Screenshots of the Linux app under a private Xvfb: the popup over a seeded
# history with entries of every kind (plain, hovered and searching), the
# empty search state, the About window, and the tray icon on a dark and on a
# light panel (with trayer, when it is installed).
# With dbus-run-session and Debian's python3-pyatspi, it also saves the
# popup's accessibility tree as a screen reader reads it, beside the first
# screenshot, and shows the footer reached with the keyboard.
# Usage: scripts/screenshots.sh OUTPUT_DIR [BUILD_DIR]
# Needs Xvfb, xdotool, xdpyinfo and ImageMagick (import, convert).
set -euo pipefail

# A session bus of its own, with a configuration of its own that can start
# the accessibility bus and nothing else the machine has installed.
if [ -z "${PELLIMORE_SCREENSHOTS_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  bus=$(mktemp -d)
  printf '[D-BUS Service]\nName=org.a11y.Bus\nExec=/usr/libexec/at-spi-bus-launcher\n' \
    >"$bus/org.a11y.Bus.service"
  printf '<busconfig><type>session</type><listen>unix:tmpdir=%s</listen><auth>EXTERNAL</auth>%s%s\n' \
    "$bus" "<servicedir>$bus</servicedir><policy context=\"default\"><allow own=\"*\"/>" \
    '<allow send_destination="*"/><allow eavesdrop="true"/></policy></busconfig>' >"$bus/bus.conf"
  status=0
  PELLIMORE_SCREENSHOTS_BUS=1 dbus-run-session --config-file="$bus/bus.conf" -- "$0" "$@" ||
    status=$?
  rm -rf "$bus"
  exit "$status"
fi
tree_reader=
if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  tree_reader="/usr/bin/python3 $(cd "$(dirname "$0")" && pwd)/accessibility-tree.py"
  /usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

[ $# -ge 1 ] || { echo "usage: $0 OUTPUT_DIR [BUILD_DIR]" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
build=${2:-build}
app="$build/src/platform/linux/pellimore-clip"
if [ ! -x "$app" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target pellimore-clip --parallel 2
fi
for tool in Xvfb xdotool xdpyinfo import convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done

tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "${KEEP_TMP:-}" ] || rm -rf "$tmp"
}
trap cleanup EXIT
trap '[ -s "$tmp/app.log" ] && cat "$tmp/app.log" >&2' ERR

# Polls COMMAND... for up to 10 seconds.
wait_for() {
  for _ in $(seq 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "screenshots: timed out waiting for: $*" >&2
  return 1
}

# A display number nobody uses.
display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "screenshots: no free display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
wait_for xdpyinfo

# A desktop-like backdrop, so the card's edges show in the pictures.
convert -size 1280x800 gradient:'#4b6a88'-'#27384a' "$tmp/backdrop.png"
if command -v display >/dev/null; then
  display -window root "$tmp/backdrop.png" 2>/dev/null || true
fi

# The history: entries of every kind, one pinned, times spread out.
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
folder="$XDG_DATA_HOME/Copperwell"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$folder/images"
chmod 700 "$folder" "$folder/images"
image_id=6F1C2B9A-5D47-4E8B-9A3C-1E2D3F4A5B6C
convert -size 320x200 gradient:'#ffcc66'-'#ff5e62' -fill '#2d3436' -draw 'circle 160,100 160,40' \
  "$folder/images/$image_id.png"
now=$(date +%s)
at() { date -u -d "@$((now - $1))" +%Y-%m-%dT%H:%M:%SZ; }
rtf_b64=$(printf '{\\rtf1\\ansi {\\b Quarterly} review notes}' | base64 -w0)
cat >"$folder/history.json" <<JSON
[{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000001","kind":"text","text":"ssh deploy@build-07.internal -p 2222","signature":"T:ssh deploy@build-07.internal -p 2222","createdAt":"$(at 3)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000002","kind":"image","imageFileName":"$image_id.png","signature":"I:00","createdAt":"$(at 42)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000003","kind":"rtf","text":"Quarterly review notes","rtfData":"$rtf_b64","signature":"T:Quarterly review notes","createdAt":"$(at 380)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000004","kind":"files","filePaths":["/home/sam/Documents/invoice-2024-11.pdf","/home/sam/Pictures/site-plan.png","/home/sam/notes.txt"],"signature":"F:/home/sam/Documents/invoice-2024-11.pdf\n/home/sam/Pictures/site-plan.png\n/home/sam/notes.txt","createdAt":"$(at 7200)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000005","kind":"text","text":"The quick brown fox jumps over the lazy dog while the band plays on; a long sentence that wraps onto a second line and then keeps going well past the end of it.","signature":"T:long","createdAt":"$(at 90000)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000006","kind":"text","text":"café crème — naïve résumé","signature":"T:café crème — naïve résumé","createdAt":"$(at 200000)","pinned":false},
{"id":"0B8E1A4C-1111-4A2B-8C3D-000000000007","kind":"text","text":"support@pellimore.example","signature":"T:support@pellimore.example","createdAt":"$(at 600)","pinned":true}]
JSON
chmod 600 "$folder/history.json" "$folder/images/$image_id.png"

fifo="$tmp/menu"
# The first synthetic key on a fresh server settles the keyboard mapping, so
# the app grabs its hot key on the mapping the later presses use.
xdotool key super+shift+v
"$app" --menu-commands "$fifo" >"$tmp/app.log" 2>&1 &
pids+=($!)
wait_for test -p "$fifo"
sleep 0.5

popup_visible() { [ -n "$(xdotool search --onlyvisible --class '^Pellimore Clip$' 2>/dev/null)" ]; }
shot() { sleep 0.4; import -window root "$out/$1"; echo "$out/$1"; }

# The popup opens with its top edge at the pointer. The first showing builds
# the panel and can take a moment; a second press would close it again, so
# press once and wait.
xdotool mousemove 640 120
xdotool key super+shift+v
wait_for popup_visible
shot popup.png
if [ -n "$tree_reader" ]; then
  $tree_reader >"$out/popup-accessibility.txt"
  echo "$out/popup-accessibility.txt"
fi

# A row under the pointer shows its pin and delete buttons.
xdotool mousemove 640 330
shot popup-hover.png

# Arrow keys move the selection; typing filters.
xdotool mousemove 1200 760
xdotool key Down Down
shot popup-selection.png
xdotool type --delay 40 "re"
shot popup-search.png
xdotool key ctrl+a
xdotool type --delay 40 "xyz"
shot popup-no-matches.png
xdotool key ctrl+a BackSpace

# The keyboard alone: Tab reaches the list, then Clear all; Return asks, and
# the question's Cancel takes the focus.
xdotool key Tab Tab
shot popup-keyboard-clear.png
xdotool key Return
shot popup-keyboard-confirm.png
xdotool key Return Escape

printf 'About Pellimore Clip\n' >"$fifo"
wait_for xdotool search --onlyvisible --name "About Pellimore Clip"
shot about.png

# The tray icon, four times enlarged, on a dark and on a light panel.
docked() { for w in $(xdotool search --class '^trayer$'); do xwininfo -tree -id "$w"; done | grep -q '"Pellimore Clip"'; }
if command -v trayer >/dev/null; then
  for panel in dark:0x202020 light:0xf0f0f0; do
    trayer --edge bottom --align left --widthtype pixel --width 64 --height 32 \
      --transparent true --alpha 0 --tint "${panel#*:}" >/dev/null 2>&1 &
    pids+=($!)
    wait_for docked
    sleep 0.4
    import -window root "$tmp/tray.png"
    convert "$tmp/tray.png" -crop 64x32+0+768 +repage -scale 400% "$out/tray-${panel%%:*}.png"
    echo "$out/tray-${panel%%:*}.png"
    kill "${pids[-1]}"
    wait "${pids[-1]}" 2>/dev/null || true
  done
fi

if [ -s "$tmp/app.log" ]; then
  echo "--- app output" >&2
  cat "$tmp/app.log" >&2
fi
