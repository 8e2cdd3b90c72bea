#!/bin/sh
# GUI smoke test of `kelvane FILE.trk` on a virtual X display: the demo track
# named on the command line is in the Preview as soon as the windows are up,
# with no message box. Usage: kelvane_file_smoke.sh PROGRAM TRACK SCREENSHOT.png.
# Exit 77 (skipped) without Xvfb, xdotool or ImageMagick.
set -eu
PROGRAM="$1"
TRACK="$2"
SHOT="$3"
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
mkdir -p "$(dirname "$SHOT")"
rm -f "$SHOT"

# (100, 100) lies in the Preview (at 10, 10, 640 x 480) where the main dialog
# does not cover it: the demo's sky there, the clear colour without a track.
preview_pixel() {
    convert "$SHOT" -crop 1x1+100+100 -depth 8 txt:- | tail -n 1
}

inner() {
    "$PROGRAM" "$TRACK" >"$SHOT.log" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    timeout 30 xdotool search --sync --name '^Kelvane v0\.33$' >/dev/null
    timeout 30 xdotool search --sync --name '^Preview$' >/dev/null
    sleep 2
    import -window root "$SHOT"
    if xdotool search --name '^Kelvane$' >/dev/null 2>&1; then
        echo "a message box is open:"; cat "$SHOT.log"; exit 1
    fi
    case "$(preview_pixel)" in
        *"(0,0,255"*) echo "the Preview shows no track: $(preview_pixel)"; exit 1 ;;
    esac
    kill -0 "$pid" || { echo "kelvane ended early:"; cat "$SHOT.log"; exit 1; }
}

if [ "${KELVANE_SMOKE_INNER:-}" = 1 ]; then
    inner
    exit 0
fi
# A server number apart from the other smoke tests' and spread by the process
# id: xvfb-run's search for a free number races with other runs starting at
# the same number on a shared machine.
KELVANE_SMOKE_INNER=1 xvfb-run -a -n $((300 + $$ % 400)) -s "-screen 0 1280x1024x24" sh "$0" "$PROGRAM" "$TRACK" "$SHOT"
test -s "$SHOT"
echo "screenshot: $SHOT"
