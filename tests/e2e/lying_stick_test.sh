#!/usr/bin/env bash
# Both front ends on ext4 over a stick that drops its writes (lying_stick.py): neither may
# report the save as done nor leave a configuration file; without the drop the save succeeds.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=lying-stick
source scripts/lib/desktop.sh

if [ "$(id -u)" != 0 ] || [ ! -c /dev/fuse ] || ! losetup -f >/dev/null 2>&1; then
  skip "a stick that drops writes needs root, FUSE and a free loop device"
  exit 0
fi

fuse_pid=""
loop=""
cleanup() {
  rm -f "$work/drop"
  desktop_stop
  ! mountpoint -q "$drives/E" || umount "$drives/E"
  [ -z "$loop" ] || losetup -d "$loop"
  [ -z "$fuse_pid" ] || { fusermount3 -u "$work/stick"; wait "$fuse_pid"; }
}
work_folder cleanup
backing=$work/backing # the emulated device's own folder of drives
drives=$work/drives   # what the program sees: E is the stick
updates=$drives/E/UPDATES
mkdir -p "$backing" "$drives/E" "$work/stick"
truncate -s 16M "$work/disk.img"
# Nothing left for the kernel to write later, when the drop may be on.
mkfs.ext4 -q -E lazy_itable_init=0,lazy_journal_init=0 "$work/disk.img"
fuse_mount tests/e2e/lying_stick.py "$work/disk.img" "$work/stick" "$work/drop"
loop=$(losetup -f --show "$work/stick/disk")
mount "$loop" "$drives/E"

step "a QX device with software version 54, its files on the stick, which drops every write"
sim new "$backing" E --type QX --version 54 --days 92 --trep 2
cp -r "$backing/E/." "$drives/E/"
cp "$backing/E.drive" "$drives/E.drive"
sync -f "$drives/E"
touch "$work/drop"
no_update_file() { [ -z "$(find "$updates" -iname '*.hex' -o -iname '*.tmp')" ]; }

step "velmaron-cli reports the lost save and leaves no configuration file"
printf '{"velmaronProfile": 1, "periodDays": 7}\n' >"$work/profile.json"
status=0
env -u LC_ALL -u LC_MESSAGES LANG=de_DE.UTF-8 VELMARON_POLL_INTERVAL_MS=20 timeout 60 \
  "$build/velmaron-cli" --drives "$drives" apply "$work/profile.json" --yes --count 1 \
  >"$work/cli.out" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q "Die gespeicherte Datei weicht ab" "$work/cli.out" &&
  ! grep -q "Konfiguration geschrieben" "$work/cli.out" ||
  fail "exit $status: $(cat "$work/cli.out")"
no_update_file || fail "left on the stick: $(ls "$updates")"

step "the window reports it too, in the normal layout, and leaves no configuration file"
desktop_start
program_start "$build" "$drives"
wait_until --within 30 "the device is read" device_is_read
press alt+k
# A save reported as done shows the tall layout and no message box.
wait_until --within 30 "the failure's message box" boxes_shown
height_is $NORMAL_HEIGHT || fail "window height $(window_height) after the failure"
no_update_file || fail "left on the stick: $(ls "$updates")"

step "without the drop the same save succeeds on that stick"
press Return
wait_until "the message box closed" no_box_shown
rm "$work/drop"
press alt+k
wait_until --within 30 "the tall layout" height_is $TALL_HEIGHT
[ -f "$updates/QX999000.HEX" ] || fail "no configuration file: $(ls "$updates")"
echo "lying-stick: passed"
