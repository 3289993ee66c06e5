#!/usr/bin/env bash
# The whole cycle through the window on exFAT by its FUSE driver over a loop device
# (exfat_stick.sh), the names in upper case, pulling the cable unmounting it, a failed save
# tried again; then through velmaron-cli.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=exfat
source scripts/lib/desktop.sh
work_folder 'desktop_stop; loop_release'
source scripts/lib/exfat_stick.sh
source tests/e2e/take_over.sh
if reason=$(stick_unusable); then
  skip "$reason"
  exit 0
fi
drives=$work/drives # what the programs see: E is the stick while it is plugged in
updates=$drives/E/UPDATES
mkdir -p "$drives"
plug() {
  mkdir "$drives/E"
  stick_plug "$drives/E"
}
pull() {
  stick_pull "$drives/E"
  rmdir "$drives/E"
}

step "a QX device with software version 54 on an exFAT stick, its cable pulled"
stick_new --type QX --version 54 --days 92 --trep 2 --config-byte 3F
cp "$stick_device/E.drive" "$drives/"

desktop_start
program_start "$build" "$drives"
wait_until "the window shows no device" no_device_shown

step "plug in: the window reads the device; events ticked, Alt+K writes the configuration file"
plug
wait_until "the device is read" device_is_read
click_at $PLACE_CHECK3
press alt+k
wait_until "the configuration file is written" test -f "$updates/QX999000.HEX"
cp "$updates/QX999000.HEX" "$work/written"
wait_until "the tall layout" height_is $TALL_HEIGHT

step "pull and plug: the device takes the file over, the window deletes it"
taken_over

step "the next plug-in: a folder in the file's place makes Alt+K fail"
pull
wait_until "the window shows no device" no_device_shown
plug
wait_until "the device is read" device_is_read
mkdir "$updates/QX999000.HEX"
press alt+k
wait_until "the failure message" boxes_shown
xdotool key Return
wait_until "the message box closed" no_box_shown
[ -d "$updates/QX999000.HEX" ] || fail "the folder went"

step "the folder removed, Alt+K writes the settings the device took over"
rmdir "$updates/QX999000.HEX"
press alt+k
wait_until --within 8 "the configuration file is written" test -f "$updates/QX999000.HEX"
cmp -s "$updates/QX999000.HEX" "$work/written" || fail "not the settings taken over:
$(cat -A "$updates/QX999000.HEX")"
press alt+F4
wait_until "the program ends" program_ended

step "velmaron-cli: apply a profile of 7 days; pull and plug when told"
printf '{"velmaronProfile": 1, "periodDays": 7}\n' >"$work/profile.json"
"$build/velmaron-cli" --drives "$drives" apply "$work/profile.json" --yes --count 1 \
  >"$work/cli.out" 2>&1 &
cli=$!
said() { grep -qsF -- "$1" "$work/cli.out"; }
wait_until "the tool asks for the cable" said "USB Kabel trennen"
pull
wait_until "the tool waits for the device" said "USB Kabel verbinden"
plug
wait_until "the tool confirms" said "Einstellungen übernommen (bestätigt)"
wait "$cli" || fail "exit $?: $(cat "$work/cli.out")"
[ "$(grep -c "E: took UPDATES/QX999000.HEX over" "$work/sim.log")" = 2 ] ||
  fail "no take-over: $(cat "$work/sim.log")"
"$build/velmaron-cli" --drives "$drives" profile save - | grep -q '"periodDays": *7' ||
  fail "the device does not report 7 days"
ls "$updates" | grep -qx DIGIVERS.ION || fail "the version file's name: $(ls "$updates")"
echo "exfat: passed"
