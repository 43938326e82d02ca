#!/bin/sh
# Runs a command on a private X server (real windows, no screen needed).
#
#   with-xvfb.sh [--screen WxH] [--wm COMMAND] command [args...]
#
# --screen  the screen's size (default 1280x1024)
# --wm      a window manager that frames and places the windows, started
#           before the command and ended after it: its command line, split
#           at spaces (e.g. "openbox --config-file FILE")
set -e

screen=1280x1024
wm=
while [ $# -gt 0 ]; do
  case "$1" in
    --screen) screen=$2; shift 2 ;;
    --wm) wm=$2; shift 2 ;;
    --under-wm)
      # Inside the server: the manager first, the command once it manages.
      wm=$2; shift 2
      # shellcheck disable=SC2086
      $wm >/dev/null 2>&1 &
      wm_pid=$!
      tries=0
      until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$wm_pid" 2>/dev/null; then
          echo "with-xvfb: $wm did not start" >&2
          kill "$wm_pid" 2>/dev/null || true
          exit 1
        fi
        sleep 0.1
      done
      rc=0
      "$@" || rc=$?
      kill "$wm_pid" 2>/dev/null || true
      wait "$wm_pid" 2>/dev/null || true
      exit $rc ;;
    *) break ;;
  esac
done

if [ -n "$wm" ]; then
  if ! command -v "${wm%% *}" >/dev/null 2>&1; then
    echo "with-xvfb: no window manager ${wm%% *} (scripts/deps.sh installs openbox)" >&2
    exit 1
  fi
  set -- "$0" --under-wm "$wm" "$@"
fi
exec xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$@"
