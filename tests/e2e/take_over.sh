# Sourced after scripts/lib/desktop.sh, with updates set and pull and plug defined for drive E.
# After Alt+K: pulled, the window asks for the cable again; plugged, the device takes the file
# over, and the window deletes it and turns normal, each within SECONDS.
taken_over() { # [seconds, default 15]
  local asked within=${1:-15}
  asked=$(region_fingerprint $INSTRUCTION_LABEL)
  pull
  wait_until --within "$within" "the window asks for the cable again" \
    region_changed_from $INSTRUCTION_LABEL "$asked"
  plug
  grep -q "E: took UPDATES/QX999000.HEX over" "$work/sim.log" || fail "no take-over: $(cat "$work/sim.log")"
  wait_until --within "$within" "the window deletes the taken-over file" \
    test ! -e "$updates/QX999000.HEX"
  wait_until --within "$within" "the normal layout" height_is $NORMAL_HEIGHT
}
