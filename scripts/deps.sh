#!/bin/sh
# Installs the Debian packages the project needs to build, run and test.
# Only what is missing is installed; running it again does nothing.
set -e

PACKAGES="
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-x gstreamer1.0-gl
  gstreamer1.0-alsa gstreamer1.0-tools gstreamer1.0-plugins-base-apps
  libjpeg62-turbo-dev libswscale-dev
  libgtest-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils openbox
  fonts-ipafont-gothic
  qt6-translations-l10n
  desktop-file-utils libglib2.0-bin playerctl dbus
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  echo "deps: everything is installed"
  exit 0
fi

echo "deps: missing:$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "deps: installing packages needs root. Run:" >&2
  echo "  sudo make deps" >&2
  echo "or:" >&2
  echo "  sudo apt-get install -y$missing" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
