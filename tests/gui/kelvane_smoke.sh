#!/bin/sh
# GUI smoke test: the real Kelvane on a virtual X display. It waits for the
# main dialog and the Preview, checks that the Preview shows the clear colour,
# clicks "New", presses Enter in the New dialog (its default button is OK),
# checks that the dialog went, that the Preview now draws a track and that the
# program still runs, paints a stroke in the Preview and takes it back with
# Ctrl+Z, and keeps a screenshot of the screen.
# Usage: kelvane_smoke.sh PROGRAM SCREENSHOT.png. Exit 77 (skipped) without
# Xvfb, xdotool or ImageMagick.
set -eu
PROGRAM="$1"
SHOT="$2"
for tool in xvfb-run xdotool import compare; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
mkdir -p "$(dirname "$SHOT")"
rm -f "$SHOT"

# The Preview stands at (10, 10) with 640 x 480 pixels; (100, 100) lies in the
# part the main dialog does not cover.
preview_pixel() {
    convert "$SHOT" -crop 1x1+100+100 -depth 8 txt:- | tail -n 1
}

# Runs inside the virtual display.
inner() {
    "$PROGRAM" >"$SHOT.log" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    main=$(timeout 30 xdotool search --sync --name '^Kelvane v0\.33$' | head -n 1)
    timeout 30 xdotool search --sync --name '^Preview$' >/dev/null
    sleep 1
    import -window root "$SHOT"
    case "$(preview_pixel)" in
        *"(0,0,255"*) ;;
        *) echo "before New the Preview does not show the clear colour: $(preview_pixel)"; exit 1 ;;
    esac
    # "New" spans dialog units x 10-65, y 15-30: pixel (55, 35) lies inside it
    # for any dialog base units from 5x11 to 8x16 pixels. A click that comes
    # before the window takes input is lost, so it is tried again.
    new=""
    for _ in 1 2 3 4 5; do
        xdotool mousemove --window "$main" 55 35 click 1
        new=$(timeout 5 xdotool search --sync --name '^New$' | head -n 1) || true
        [ -n "$new" ] && break
    done
    if [ -z "$new" ]; then
        echo "clicking New opened no New dialog"
        exit 1
    fi
    xdotool windowfocus --sync "$new" 2>/dev/null || true
    sleep 1
    xdotool key Return
    # The New dialog goes away once the track exists.
    for _ in $(seq 1 50); do
        xdotool search --name '^New$' >/dev/null 2>&1 || break
        sleep 0.2
    done
    if xdotool search --name '^New$' >/dev/null 2>&1; then
        echo "the New dialog did not close on Enter"
        exit 1
    fi
    sleep 1
    import -window root "$SHOT"
    case "$(preview_pixel)" in
        *"(0,0,255"*) echo "after New the Preview still shows only the clear colour"; exit 1 ;;
    esac
    kill -0 "$pid" || { echo "kelvane ended early:"; cat "$SHOT.log"; exit 1; }
    undo_paint_stroke
    kill -0 "$pid" || { echo "kelvane ended early:"; cat "$SHOT.log"; exit 1; }
}

# Pixels that differ between two screenshots within the Preview's left part,
# which the main dialog does not cover.
preview_difference() {
    compare -metric AE -crop 400x400+20+20 "$1" "$2" null: 2>&1 || true
}

# A Ctrl-drag paints cells in the Preview; Ctrl+Z, pressed there, is the
# accelerator that takes the whole stroke back.
undo_paint_stroke() {
    cp "$SHOT" "$SHOT.new.png"
    xdotool mousemove 146 274 keydown ctrl mousedown 1 mousemove 200 284 mousemove 326 294 \
        mouseup 1 keyup ctrl
    sleep 1
    import -window root "$SHOT.painted.png"
    painted=$(preview_difference "$SHOT.new.png" "$SHOT.painted.png")
    if [ "${painted%%.*}" -lt 500 ]; then
        echo "a Ctrl-drag in the Preview painted nothing ($painted pixels changed)"
        exit 1
    fi
    xdotool key ctrl+z
    sleep 1
    import -window root "$SHOT"
    # Only the marked cell may differ: undo selects the cell it changed.
    left=$(preview_difference "$SHOT.new.png" "$SHOT")
    if [ "${left%%.*}" -gt $((${painted%%.*} / 4)) ]; then
        echo "Ctrl+Z did not take the stroke back ($left of $painted pixels still differ)"
        exit 1
    fi
    rm -f "$SHOT.new.png" "$SHOT.painted.png"
}

if [ "${KELVANE_SMOKE_INNER:-}" = 1 ]; then
    inner
    exit 0
fi
# A server number of its own range, so that a Dorvik smoke test starting at the
# same moment (from 99 up) does not race for the same display.
KELVANE_SMOKE_INNER=1 xvfb-run -a -n 150 -s "-screen 0 1280x1024x24" sh "$0" "$PROGRAM" "$SHOT"
test -s "$SHOT"
echo "screenshot: $SHOT"
