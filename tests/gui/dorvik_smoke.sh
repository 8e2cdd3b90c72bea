#!/bin/sh
# The real Dorvik on an X server of its own (Xvfb): its window appears with
# the template's proportions, Enter writes the default car file, and a
# screenshot of the window is kept. Exits 77 (skipped) when Xvfb, xdotool or
# ImageMagick's import are missing.
#   dorvik_smoke.sh DORVIK SCREENSHOT.png
set -u
DORVIK="$1"
SHOT="$2"
for tool in Xvfb xdotool import od; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
PID=""
XPID=""
trap 'kill $PID $XPID 2>/dev/null; rm -rf "$WORK"' EXIT
trap 'exit 1' INT TERM HUP
cd "$WORK" || exit 1

# The server picks a free display number itself, so tests running at the
# same time never race for one; a server that takes no client is replaced.
start_server() {
  rm -f display.txt
  Xvfb -displayfd 3 -screen 0 1024x768x24 3> display.txt 2> xvfb.txt &
  XPID=$!
  for _ in $(seq 100); do
    [ -s display.txt ] && break
    sleep 0.1
  done
  [ -s display.txt ] || return 1
  DISPLAY=":$(cat display.txt)"
  export DISPLAY
  for _ in $(seq 20); do
    xdotool getmouselocation >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
for attempt in 1 2 3; do
  start_server && break
  kill "$XPID" 2>/dev/null
  XPID=""
  [ "$attempt" = 3 ] && { echo "no X server could be started"; cat xvfb.txt; exit 1; }
done

"$DORVIK" > out.txt 2> err.txt &
PID=$!

WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name '^Dorvik$' | head -n 1)
[ -n "$WINDOW" ] || { echo "no Dorvik window appeared"; cat err.txt; exit 1; }
sleep 0.5

# 162 x 219 dialog units: with the base units of any sans-serif dialog font
# (a character cell from 5 x 13 to 8 x 12 pixels) the client area is from
# about 0.8 to 1.5 times as wide, against its height, as with Windows' 6 x 13.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
RATIO=$((WIDTH * 356 * 100 / (HEIGHT * 243)))
echo "window ${WIDTH}x${HEIGHT}, proportions against Windows' ${RATIO}%"
[ "$RATIO" -ge 80 ] && [ "$RATIO" -le 150 ] || { echo "window proportions differ from the template"; exit 1; }

mkdir -p "$(dirname "$SHOT")"
import -window "$WINDOW" "$SHOT" || { echo "screenshot failed"; exit 1; }

xdotool windowfocus --sync "$WINDOW" 2>/dev/null
xdotool key --window "$WINDOW" Return
for _ in $(seq 50); do
  [ -f NewCar.car ] && break
  sleep 0.1
done
[ -f NewCar.car ] || { echo "Enter wrote no NewCar.car"; cat err.txt; exit 1; }

EXPECTED="4d 43 41 52 30 30 00 00 00 00 80 3f 00 00 7a 45"
FIRST=$(od -An -tx1 -N16 NewCar.car | tr -s ' ' | sed 's/^ //')
SIZE=$(wc -c < NewCar.car)
[ "$SIZE" -eq 164 ] || { echo "NewCar.car has $SIZE bytes, not 164"; exit 1; }
[ "$FIRST" = "$(echo "$EXPECTED" | tr 'A-F' 'a-f')" ] || { echo "NewCar.car starts with $FIRST"; exit 1; }

# The program is still running: Enter does not end the dialog.
kill -0 "$PID" || { echo "Dorvik ended after Enter"; exit 1; }
echo "ok: window, Enter, 164-byte file, screenshot $SHOT"
