# One device and one set of edits for the mouse's and the keyboard's cycles (sourced after
# desktop.sh, with sim, drives and updates set): no range, 30 days, events, card date, Spanish.

# The window's settings after the edits, as the configuration file carries them.
config_file=$':103A0000175158303030303037484558008D270036\r\n:043A1000010203FFAD\r\n'
config_file+=$':093A47006955B9006A430700FF4C\r\n:00000001FF\r\n'

new_device() {
  sim new "$drives" E --type QX --version 54 --days 92 --trep 2 --config-byte 3F \
    --range 2026-01-01 2026-06-30 --range-on
}

# After Alt+K: the file holds the edited settings, and the window asks for the cable.
edits_written() {
  wait_until "the configuration file is written" test -f "$updates/QX999000.HEX"
  cmp -s "$updates/QX999000.HEX" <(printf '%s' "$config_file") || fail "configuration file:
$(cat -A "$updates/QX999000.HEX")"
  wait_until "the tall layout" height_is $TALL_HEIGHT
}
