#!/usr/bin/env bash
# The real program on a virtual display and simulated drives, by clicks and keys, the device
# pulled and plugged with velmaron-sim; its files checked after each step.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=e2e
source scripts/lib/desktop.sh

work_folder desktop_stop
drives=$work/drives
updates=$drives/E/UPDATES
hex_of() { od -An -v -tx1 "$1" | tr -d ' \n'; }
pull() { sim unplug "$drives" E; }
plug() { sim plug "$drives" E; }
source tests/e2e/edited_settings.sh
source tests/e2e/take_over.sh
# The version file of the device that took the edits below over.
version_after=5158303030303534484558008d2700010203$(printf 'ff%.0s' $(seq 13))17
version_after+=$(printf 'ff%.0s' $(seq 40))6955b9006a430700

step "command line"
"$build/velmaron-config" --version | grep -qx 'velmaron-config [0-9.]*' || fail "--version"
"$build/velmaron-config" --help | grep -q -- '--drives <folder>' || fail "--help"

step "a fixed drive, a stick and a QX device with software version 54, its cable pulled"
sim fixed "$drives" C
sim stick "$drives" D
new_device
version_before=$(hex_of "$updates/digivers.ion")
pull

desktop_start
program_start "$build" "$drives"
wait_until "the window shows no device" no_device_shown
height_is $NORMAL_HEIGHT || fail "window height $(window_height), not $NORMAL_HEIGHT"

step "plug in: the window reads the device"
plug
wait_until "the device is read" device_is_read
[ "$(hex_of "$updates/digivers.ion")" = "$version_before" ] || fail "the version file changed"

step "change the options: no date range, 30 days, events, card date, Spanish file names"
click_at $PLACE_CHECK11
click_at $PLACE_DAYS
press ctrl+a
type_text 30
click_at $PLACE_CHECK3
click_at $PLACE_CHECK7
click_at $PLACE_FILE_NAME_PAGE
click_at $PLACE_SPANISH
click_at $PLACE_SETTINGS_PAGE

step "Alt+K writes the configuration file and asks for the cable to be pulled"
press alt+k
edits_written

step "pull and plug: the device takes the file over, the window announces success"
taken_over
[ "$(hex_of "$updates/digivers.ion")" = "$version_after" ] || fail "version file after the take-over:
$(hex_of "$updates/digivers.ion")"

step "the next plug-in shows the settings the device took over"
pull
wait_until "the window shows no device" no_device_shown
plug
wait_until "the device is read" device_is_read
press alt+k
wait_until "the configuration file is written again" test -f "$updates/QX999000.HEX"
cmp -s "$updates/QX999000.HEX" <(printf '%s' "$config_file") ||
  fail "the window did not show the device's settings:
$(cat -A "$updates/QX999000.HEX")"

step "a broken configuration file is refused and the settings stay"
pull
printf ':043A1000010203FFAC\r\n:00000001FF\r\n' >"$drives/E.unplugged/UPDATES/QX999000.HEX"
plug
grep -q "refused UPDATES/QX999000.HEX: line 1 has the checksum AC instead of AD" "$work/sim.log" ||
  fail "no refusal: $(cat "$work/sim.log")"
[ "$(hex_of "$updates/digivers.ion")" = "$version_after" ] || fail "a broken file changed the settings"

step "closing the window ends the program"
press alt+F4
wait_until "the program ends" program_ended
echo "e2e: passed"
