#!/bin/sh
# The resource compiler refuses bad.rc with "file:line: reason", exit 1, and
# leaves no generated file behind for the build to pick up.
#   check.sh RC_COMPILER SOURCE_DIR WORK_DIR
set -u
out="$3/bad_rc.cpp"
rm -f "$out"
message=$("$1" "$2/bad.rc" "$out" 2>&1)
status=$?
[ "$status" -eq 1 ] || { echo "exit $status, expected 1"; exit 1; }
[ "$message" = "$2/bad.rc:4: unsupported control statement LISTBOX" ] || { echo "message: $message"; exit 1; }
[ ! -e "$out" ] || { echo "a generated file was written"; exit 1; }
echo "ok: $message"
