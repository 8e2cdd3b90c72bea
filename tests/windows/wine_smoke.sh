#!/bin/sh
# The Windows programs under Wine, driven by keyboard on a virtual X display
# of their own, in a fresh Wine prefix, with Wine's own D3DX switched off so
# that a hidden dependency on it fails:
#   - no program imports a DLL beyond what every Windows has (no d3dx9);
#   - Dorvik writes the same .car bytes as the Linux build from the same input;
#   - trk.exe info prints what the Linux trk info prints;
#   - Kelvane loads golden.trk through the real Open dialog, the camera moves
#     by keyboard, the Preview looks like the Linux build's snapshot of the
#     same view, and Save under another name writes the loaded bytes.
# Usage: wine_smoke.sh WINDOWS_BIN LINUX_BIN (folders of the .exe files and
# of the Linux programs). Every failure says what went wrong and exits 1;
# WINE_SMOKE_KEEP=1 keeps the work folder with the pictures for a look.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
WINBIN=$(cd "$1" && pwd)
LINBIN=$(cd "$2" && pwd)
DATA="$HERE/../editor/data"

# Says what failed, with the programs' own output and a picture of the screen.
fail() {
  echo "wine smoke: $*" >&2
  cat "$WORK"/*.log >&2 2>/dev/null || true
  [ -n "${DISPLAY:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null || true
  exit 1
}
for tool in wine wineserver Xvfb xdotool import convert compare x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/install-deps windows)"
done

WORK=$(mktemp -d)
XPID=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  if [ -n "${WINE_SMOKE_KEEP:-}" ]; then echo "wine smoke: kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Wine's Mono and Gecko installers would open dialogs of their own.
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;d3dx9_43="
export LIBGL_ALWAYS_SOFTWARE=1

# Polls COMMAND until it succeeds, at most SECONDS; fails with MESSAGE.
wait_for() {
  seconds=$1; message=$2; shift 2
  for _ in $(seq $((seconds * 5))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "$message"
}

check_imports() {
  for exe in kelvane.exe dorvik.exe trk.exe; do
    [ -f "$WINBIN/$exe" ] || fail "$WINBIN/$exe is missing (make windows)"
    x86_64-w64-mingw32-objdump -p "$WINBIN/$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
      tr 'A-Z' 'a-z' > "$WORK/imports.txt"
    while read -r dll; do
      case "$dll" in
        kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|d3d9.dll|msvcrt.dll) ;;
        *) fail "$exe imports $dll, which a stock Windows may lack" ;;
      esac
    done < "$WORK/imports.txt"
  done
  echo "imports: only system DLLs, no d3dx9"
}

start_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 3> "$WORK/display" 2>/dev/null &
  XPID=$!
  wait_for 10 "Xvfb did not start" test -s "$WORK/display"
  DISPLAY=":$(cat "$WORK/display")"
  export DISPLAY
  wait_for 10 "Xvfb takes no clients" xdotool getmouselocation
}

make_prefix() {
  wineboot -i >/dev/null 2>&1 || fail "wineboot could not make a prefix"
  wineserver -w
}

# The window named exactly NAME, waiting up to SECONDS for it.
window() {
  timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Gives window ID the X keyboard focus. Without a window manager the focus
# otherwise follows the pointer, and keys sent while it rests on no window of
# the program (as between a dialog closing and its owner coming back) are lost.
focus() {
  for _ in $(seq 50); do
    xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
    if [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; then
      sleep 0.3
      return 0
    fi
    sleep 0.2
  done
  fail "window $1 did not take the keyboard focus"
}

. "$HERE/wine_smoke_programs.sh"

check_imports
start_display
make_prefix
smoke_trk
smoke_dorvik
smoke_kelvane
echo "wine smoke: passed"
