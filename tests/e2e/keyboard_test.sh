#!/usr/bin/env bash
# The real program by keyboard alone and as a screen reader sees it (AT-SPI): a message box
# closed with Return, the names (atspi_names.py), then a cycle by keys that writes the same
# file as the mouse's cycle (edited_settings.sh).
#
#   dbus-run-session -- tests/e2e/keyboard_test.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=keyboard
source scripts/lib/desktop.sh
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no D-Bus session: run it under dbus-run-session"

work_folder desktop_stop
drives=$work/drives
updates=$drives/E/UPDATES
keys() { # keys, each pressed once, with a pause for the window
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.15
  done
}
times() { # count, key
  local i
  for ((i = 0; i < $1; i++)); do keys "$2"; done
}

pull() { sim unplug "$drives" E; }
plug() { sim plug "$drives" E; }
source tests/e2e/edited_settings.sh
source tests/e2e/take_over.sh

step "a QX device with software version 54 and a broken version file"
new_device
truncate -s 20 "$updates/digivers.ion"

desktop_start
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
program_start "$build" "$drives"
wait_until "the message box on the broken version file" boxes_shown
keys Return
wait_until "the message box closed by Return" no_box_shown
wait_until "the broken version file deleted" test ! -e "$updates/digivers.ion"

step "pulled and plugged in, the device writes a fresh version file and the window reads it"
pull
wait_until "the window shows no device" no_device_shown
plug
wait_until "the device is read" device_is_read

step "what a screen reader is told"
/usr/bin/python3 tests/e2e/atspi_names.py || fail "the accessibility tree"

step "by keys: no date range, 30 days, events, card date, Spanish file names, Alt+K"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
# The window opens with the page selector focused; Check2 and the days wait for Von/Bis.
times 5 Tab    # the help button, events, 24 h speed, technical data, Von/Bis
keys space     # no date range
times 4 shift+Tab # technical data, 24 h speed, events, the days
keys ctrl+a 3 0
keys Tab space # events
times 4 shift+Tab # the days, daily activities, the help button, the page selector
times 5 shift+Tab # Konfigurieren, VDO data, 4 Hz, 168 h speed, the card date
keys space     # the date onto the card
times 5 Tab    # 168 h speed, 4 Hz, VDO data, Konfigurieren, the page selector
keys Right     # the file-name page
times 2 Tab    # the help button, the file names
times 4 Up     # the first of them, wherever the focus entered
times 3 Down   # Spanisch (TGD)
times 2 shift+Tab # the help button, the page selector
keys Left      # the options page again
keys alt+k
edits_written

step "pull and plug: the device takes the file over"
taken_over
echo "keyboard: passed"
