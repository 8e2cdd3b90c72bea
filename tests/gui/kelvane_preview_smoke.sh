#!/bin/sh
# GUI smoke test of pointing in the Preview: the real Kelvane on a virtual X
# display. New (Enter), "Set All" so every cell is drawn, then a click with
# xdotool on a cell in the Preview: the I and J boxes of the main dialog
# must change and the clicked cell turn red as the selection.
# Usage: kelvane_preview_smoke.sh PROGRAM SCREENSHOT.png. Exit 77 (skipped)
# without Xvfb, xdotool or ImageMagick.
set -eu
PROGRAM="$1"
SHOT="$2"
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
mkdir -p "$(dirname "$SHOT")"
rm -f "$SHOT"

inner() {
    "$PROGRAM" >"$SHOT.log" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    main=$(timeout 30 xdotool search --sync --name '^Kelvane v0\.33$' | head -n 1)
    preview=$(timeout 30 xdotool search --sync --name '^Preview$' | head -n 1)
    sleep 1
    # The main dialog is 222 x 459 dialog units: its client size gives the
    # base units, and with them any control's pixels.
    eval "$(xdotool getwindowgeometry --shell "$main")"
    bx1000=$((WIDTH * 4000 / 222))
    by1000=$((HEIGHT * 8000 / 459))
    px() { echo $(($1 * bx1000 / 4000)); }
    py() { echo $(($1 * by1000 / 8000)); }
    new=""
    for _ in 1 2 3 4 5; do
        xdotool mousemove --window "$main" "$(px 37)" "$(py 22)" click 1
        new=$(timeout 5 xdotool search --sync --name '^New$' | head -n 1) || true
        [ -n "$new" ] && break
    done
    [ -n "$new" ] || { echo "clicking New opened no New dialog"; exit 1; }
    xdotool windowfocus --sync "$new" 2>/dev/null || true
    sleep 1
    xdotool key Return
    for _ in $(seq 1 50); do
        xdotool search --name '^New$' >/dev/null 2>&1 || break
        sleep 0.2
    done
    sleep 0.5
    xdotool mousemove --window "$main" "$(px 135)" "$(py 97)" click 1   # Set All
    sleep 1
    # The I and J boxes: dialog units 20-50 across, 91-123 down.
    boxes="$(( $(px 30) ))x$(( $(py 32) ))+$(( X + $(px 20) ))+$(( Y + $(py 91) ))"
    import -window root "$SHOT.before.png"
    eval "$(xdotool getwindowgeometry --shell "$preview")"
    cx=$((X + 300))
    cy=$((Y + 280))
    xdotool mousemove "$cx" "$cy" click 1
    sleep 1
    import -window root "$SHOT"
    before=$(convert "$SHOT.before.png" -crop "$boxes" +repage -depth 8 rgb:- | md5sum)
    after=$(convert "$SHOT" -crop "$boxes" +repage -depth 8 rgb:- | md5sum)
    if [ "$before" = "$after" ]; then
        echo "a click in the Preview left the I and J boxes as they were"
        exit 1
    fi
    pixel=$(convert "$SHOT" -crop "1x1+$cx+$cy" -depth 8 txt:- | tail -n 1 |
        sed 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/')
    set -- $pixel
    if [ "$1" -lt $(($2 + 60)) ]; then
        echo "the clicked cell is not marked red: $pixel"
        exit 1
    fi
    kill -0 "$pid" || { echo "kelvane ended early:"; cat "$SHOT.log"; exit 1; }
}

if [ "${KELVANE_SMOKE_INNER:-}" = 1 ]; then
    inner
    exit 0
fi
KELVANE_SMOKE_INNER=1 xvfb-run -a -n 170 -s "-screen 0 1280x1024x24" sh "$0" "$PROGRAM" "$SHOT"
test -s "$SHOT"
echo "screenshot: $SHOT"
