#!/usr/bin/env bash
# Installs what building, testing and running Pellimore Clip need: Debian's
# packages on Linux (as root, through apt-get), Homebrew's on a Mac. Quiet and
# quick when everything is there already. --with-gnome adds what the GNOME
# end-to-end test runs.
set -euo pipefail

if [[ "$(uname -s)" == "Darwin" ]]; then
  if ! command -v brew >/dev/null; then
    echo "Homebrew is needed: https://brew.sh" >&2
    exit 1
  fi
  if ! xcode-select -p >/dev/null 2>&1; then
    echo "The Xcode command line tools are needed: xcode-select --install" >&2
    exit 1
  fi
  # The app's own libraries (simdjson, utf8proc) are built by CMake from
  # pinned releases and linked in; these are the tools and the test libraries.
  for formula in cmake ninja; do
    command -v "$formula" >/dev/null || brew install "$formula"
  done
  for formula in googletest google-benchmark; do
    brew list --formula "$formula" >/dev/null 2>&1 || brew install "$formula"
  done
  exit 0
fi

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsimdjson-dev libutf8proc-dev libssl-dev
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-wayland
  libx11-dev libxtst-dev libxfixes-dev libxcb1-dev libxcb-xfixes0-dev zlib1g-dev
  libwayland-dev libxkbcommon-dev plasma-wayland-protocols
  xvfb xauth xdotool xclip x11-utils imagemagick trayer pcmanfm thunar caja
  sway wl-clipboard waybar dbus-daemon dbus-bin
  python3-xlib librsvg2-bin dpkg-dev
  dbus at-spi2-core python3-pyatspi python3-gi
  xterm gnome-terminal foot xwayland nautilus nemo chromium
)

# GNOME Shell and its portal for the GNOME end-to-end test: some 370 MB, so
# only on request (CI asks); without them that test is skipped.
if [[ "${1:-}" == "--with-gnome" ]]; then
  packages+=(gnome-shell xdg-desktop-portal xdg-desktop-portal-gnome gir1.2-gtk-3.0)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
# Another apt-get may hold the dpkg lock for a while: wait for it.
$SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
  --no-install-recommends "${missing[@]}" >/dev/null
