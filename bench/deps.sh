#!/bin/sh
# Installs the players the bench compares orv with besides GStreamer's own
# (mpv, and the GUI players Parole and VLC), only when asked:
#   make bench BENCH_PEERS=1
set -e

[ "${BENCH_PEERS:-0}" = "1" ] || exit 0

missing=""
command -v mpv >/dev/null 2>&1 || missing="$missing mpv"
command -v parole >/dev/null 2>&1 || missing="$missing parole"
command -v vlc >/dev/null 2>&1 || missing="$missing vlc"
[ -n "$missing" ] || exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "bench: installing$missing needs root. Run:" >&2
  echo "  sudo apt-get install -y --no-install-recommends$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends $missing
