#!/bin/sh
# Installs mpv, the player the bench compares orv with besides GStreamer's own,
# only when asked:  make bench BENCH_PEERS=1
set -e

[ "${BENCH_PEERS:-0}" = "1" ] || exit 0
command -v mpv >/dev/null 2>&1 && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "bench: installing mpv needs root. Run:" >&2
  echo "  sudo apt-get install -y --no-install-recommends mpv" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends mpv
