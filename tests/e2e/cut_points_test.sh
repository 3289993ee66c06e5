#!/usr/bin/env bash
# The cable pulled at every write of a save: velmaron-cli saves over an older configuration
# through a FUSE file system that logs every change (recording_drive.py); cut_points.py checks
# each cut, and each state with a file left behind gets the next save. The window saves through
# the same workflow and steps, so its cut points are these.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=cut-points
source scripts/lib/desktop.sh # sim, fuse_works, work_folder

fuse_works || exit 0

fuse_pid=""
cleanup() {
  [ -z "$fuse_pid" ] || fuse_unmount "$drives/E"
  [ -z "${cli:-}" ] || kill "$cli" 2>/dev/null || true
}
work_folder cleanup
device=$work/device   # the emulated device, holding the older configuration file
backing=$work/backing # a copy of it for the save
drives=$work/drives   # what the program sees: E goes through the recording layer
mkdir -p "$drives/E"
export VELMARON_POLL_INTERVAL_MS=20
printf '{"velmaronProfile": 1, "periodDays": 7}\n' >"$work/old.json"
printf '{"velmaronProfile": 1, "periodDays": 28, "dataSets": {"technicalData": true}}\n' \
  >"$work/new.json"

# A save onto drive E, stopped with Ctrl+C when the cable is asked for; the file stays. The
# lines are emptied first, never the last save's.
cli_save() { # drives folder, profile
  : >"$work/cli.out"
  LANG=de_DE.UTF-8 "$build/velmaron-cli" --drives "$1" apply "$2" --yes --count 1 \
    >"$work/cli.out" 2>&1 &
  cli=$!
  wait_until "the tool has saved" grep -q "USB Kabel trennen" "$work/cli.out" ||
    fail "no save: $(cat "$work/cli.out")"
  kill -INT "$cli"
  wait "$cli" || true
  cli=""
}

step "a QX device with software version 54 holding a configuration file for 7 days"
sim new "$device" E --type QX --version 54 --days 92 --trep 2
cp "$device/E.drive" "$drives/E.drive"
cli_save "$device" "$work/old.json"

# One save through the recording layer, its cuts checked, the next save on each state left.
cp -a "$device" "$backing"
fuse_mount tests/e2e/recording_drive.py "$backing/E" "$drives/E" "$work/save.log"
cli_save "$drives" "$work/new.json"
fuse_unmount "$drives/E"
"$build/velmaron-sim" show "$backing" E | grep -q "taken over at the next plug-in" ||
  fail "the device would not take the new file over"
checked=$(/usr/bin/python3 tests/e2e/cut_points.py "$device/E" "$backing/E" "$work/save.log" \
  "$work/states" 2>&1) || fail "$checked"
step "velmaron-cli: $checked"
for state in "$work/states"/*/; do
  [ -d "$state" ] || continue
  mv "$state/drive" "$state/E"
  cp "$device/E.drive" "$state"
  cli_save "$state" "$work/new.json"
  [ "$(ls "$state/E/UPDATES")" = "QX999000.HEX
digivers.ion" ] || fail "$(cat "$state/left"): after the next save $(ls "$state/E/UPDATES")"
done
step "the next save left only the configuration file in each state with a file left behind"
echo "cut-points: passed"
