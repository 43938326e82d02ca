#!/bin/sh
# Runs a command on a private X server (real windows, no screen needed).
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$@"
