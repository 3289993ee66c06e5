#!/usr/bin/env bash
# The emulator's interactive mode, fed keys through a pipe.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=watch
source scripts/lib/check.sh
work_folder
drives=$work/drives
sim="$build/velmaron-sim"

"$sim" new "$drives" E --type QX --version 30 >/dev/null
mkfifo "$work/keys"
"$sim" watch "$drives" <"$work/keys" >"$work/out" 2>&1 &
watcher=$!
exec 3>"$work/keys"
# Waits until the watcher has told a line; fails after 10 s.
told() {
  wait_until --within 10 "the watcher tells \"$1\"" grep -qF "$1" "$work/out" ||
    fail "no line \"$1\" in:
$(cat "$work/out")"
}
key() { printf '%s' "$1" >&3; }

told "Keys:"
sleep 0.5 # the watcher's first look at the device
# The program's part: a configuration file written and the version file deleted.
printf ':103A0000BF5158303030303037484558FFFFFFFF46\r\n:033A10000102FFB1\r\n:00000001FF\r\n' \
  >"$drives/E/UPDATES/QX999000.HEX"
told "E: the program wrote UPDATES/QX999000.HEX"
told "sound; the device takes it over at the next plug-in"
rm "$drives/E/UPDATES/digivers.ion"
told "E: the program deleted UPDATES/digivers.ion"
key u
told "E: cable pulled"
key p
told "E: took UPDATES/QX999000.HEX over"
told "E: wrote UPDATES/digivers.ion (25 bytes)"
key b
told "E: status file broken: cut to 20 bytes"
key a
told "F: a second Velmaron QX, plugged in"
key q
exec 3>&-
wait "$watcher" || fail "watch ended with $?"
[ "$(wc -c <"$drives/E/UPDATES/digivers.ion")" = 20 ] || fail "the version file is not broken"
[ -d "$drives/F/VELMARON/CARD" ] || fail "no second device"
echo "watch: passed"
