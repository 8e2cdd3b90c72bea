#!/bin/sh
# Runs a command on an X server of its own; exits 77 (skipped) without Xvfb.
#   on_xvfb.sh COMMAND [ARGS...]
command -v xvfb-run >/dev/null 2>&1 || { echo "skipped: xvfb-run is missing"; exit 77; }
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
