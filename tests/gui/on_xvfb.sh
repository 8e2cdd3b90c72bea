#!/bin/sh
# Runs a command on an X server of its own; exits 77 (skipped) without Xvfb.
# The server picks a free display number itself (-displayfd), so tests that
# run at the same time never race for one, as xvfb-run -a can. A server that
# takes no client, or that a client then cannot open (seen when many servers
# start and stop on the machine at once), is replaced and the command run
# again, three times at most.
#   on_xvfb.sh COMMAND [ARGS...]
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
WORK=$(mktemp -d)
XPID=""
trap 'kill $XPID 2>/dev/null; rm -rf "$WORK"' EXIT

start_server() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 3> "$WORK/display" 2> "$WORK/xvfb.txt" &
  XPID=$!
  for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
  done
  [ -s "$WORK/display" ] || return 1
  for _ in $(seq 20); do
    DISPLAY=":$(cat "$WORK/display")" xdotool getmouselocation >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

for attempt in 1 2 3; do
  if start_server; then
    DISPLAY=":$(cat "$WORK/display")" "$@" > "$WORK/out.txt" 2>&1
    status=$?
    cat "$WORK/out.txt"
    grep -q "Can't open display" "$WORK/out.txt" || exit "$status"
  fi
  kill "$XPID" 2>/dev/null
  XPID=""
done
echo "no X server could be used"
cat "$WORK/xvfb.txt"
exit 1
