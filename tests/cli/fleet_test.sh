#!/usr/bin/env bash
# velmaron-cli against devices emulated by velmaron-sim, stepped by the tool's own lines: list
# and show, a fleet run over five devices, what each took over, a failed save and its log, a
# device changed while the user is asked, a late version file, and Ctrl+C.
# usage: fleet_test.sh CLI SIM, where CLI may be a command with words ("wine cli.exe").
set -euo pipefail
read -r -a cli <<<"$1"
sim=$2
check_name=fleet
source "$(dirname "$0")/../../scripts/lib/check.sh"
work_folder 'kill "$run" 2>/dev/null'
run=
d=$work/drives
unset LC_ALL LC_MESSAGES
export VELMARON_POLL_INTERVAL_MS=20
language=de_DE.UTF-8
vc() { LANG=$language "${cli[@]}" --drives "$d" "$@"; }
# The tool in the background as $run, its lines emptied first (never the last run's) and read
# from their start.
apply() {
  cursor=0
  : >"$work/out"
  LANG=$language "${cli[@]}" --drives "$d" apply "$work/profile.json" --yes "$@" \
    --report "$work/report.csv" >"$work/out" 2>&1 &
  run=$!
}
s() { "$sim" "$@" >/dev/null; }
flat() { tr -d ' \r\n'; }

# The lines the tool writes, read from a cursor on: waits for the next line that holds $1.
expect() {
  local n
  for _ in $(seq 500); do
    n=$(tail -n +$((cursor + 1)) "$work/out" | grep -n -m1 -F -- "$1" | cut -d: -f1 || true)
    if [ -n "$n" ]; then
      cursor=$((cursor + n))
      return 0
    fi
    sleep 0.02
  done
  fail "no line \"$1\" after line $cursor of:
$(cat "$work/out")"
}
# The user's part of one device: plug it in, pull and plug its cable when told.
configure() {
  s plug "$d" "$1"
  expect "Konfiguration geschrieben"
  expect "USB Kabel trennen"
  s unplug "$d" "$1"
  expect "USB Kabel verbinden"
  s plug "$d" "$1"
  expect "Einstellungen übernommen (bestätigt)"
}
next() {
  s unplug "$d" "$1"
  expect "Gerät per USB verbinden"
}
# The tool ends by itself within 10 s with the exit code given.
ended() { # exit code
  wait_until --within 10 "the tool ends" eval '! kill -0 "$run" 2>/dev/null' ||
    fail "the tool did not end: $(cat "$work/out")"
  status=0
  wait "$run" || status=$?
  run=
  [ "$status" = "$1" ] || fail "exit $status, not $1: $(cat "$work/out")"
}

s fixed "$d" C
s stick "$d" D
for device in "E 54" "F 22" "G 30" "H 25"; do
  read -r letter version <<<"$device"
  s new "$d" "$letter" --type QX --version "$version" --days 7 --trep 2,3
  s unplug "$d" "$letter"
done
s new "$d" I --type CR --version 40
s unplug "$d" I
status=0
vc show >/dev/null 2>&1 || status=$?
[ $status = 3 ] || fail "show without a device: exit $status"
s plug "$d" G

step "list and show against the emulated device"
[ "$(vc list --json | flat | sed 's/"root":"[^"]*"/"root":R/g')" = "$(flat <<<'{"drives":[
  {"root":R,"type":"Harddrive;cannotberemoved","label":null,"velmaron":false},
  {"root":R,"type":"Removabledrive","label":"USB-STICK","velmaron":false},
  {"root":R,"type":"Removabledrive","label":"VELMARON","velmaron":true}],"velmarons":1}')" ] ||
  fail "list: $(vc list --json)"
[ "$(vc list | awk '{print $NF}' | flat)" = Velmaronneinneinja ] || fail "list: $(vc list)"
[ "$(vc list | awk 'NR > 1 {print $(NF-1)}' | flat)" = FestplatteWechseldatenträgerWechseldatenträger ] ||
  fail "German drive types: $(vc list)"
[ "$(language=en_US.UTF-8 vc list | grep -c 'Hard drive; can not be removed\|Removable drive')" = 3 ] ||
  fail "English drive types: $(language=en_US.UTF-8 vc list)"
[ "$(language=en_US.UTF-8 vc show | tr -d '\r' | tail -n +2)" = "Device:              QX, software 30
Period:              7 days
Data sets:           overview, daily activities, events and faults
Extra data:          none
File names:          European/VDO (DDD)
Model:               Velmaron
Date onto the card:  no
Date range:          not reported" ] || fail "show: $(language=en_US.UTF-8 vc show)"
truncate -s 20 "$d/G/UPDATES/digivers.ion"

step "five devices, one of them unsuitable, one a CR, one with a broken version file"
cat >"$work/profile.json" <<'PROFILE'
{"velmaronProfile": 1, "periodDays": 28,
 "dataSets": {"technicalData": true, "vdoSpecific": true, "fourHz": false,
              "detailedSpeed168h": true},
 "fileNameFormat": "spanish", "model": "velmaron", "cardDate": true,
 "dateRange": {"on": true, "from": "2026-01-01", "to": "2026-03-31"}}
PROFILE
apply --count 5
expect "Fehler in der Konfigurationsdatei"
[ ! -e "$d/G/UPDATES/digivers.ion" ] || fail "the broken version file stays"
next G
configure G
next G
s plug "$d" F
expect "[2] QX, Software 22: übersprungen (Nicht geeignet)"
expect "USB Kable trennen"
next F
s plug "$d" I
expect "[3] CR, Software 40: übersprungen (ein Velmaron CR wird nicht konfiguriert)"
next I
configure E
next E
configure H
ended 0
[ "$(cut -d, -f1,4- "$work/report.csv" | tr -d '\r')" = "number,type,software,result,detail,not_taken
1,QX,30,confirmed,,dataSets.fourHz dataSets.detailedSpeed168h dateRange
2,QX,22,skipped,Nicht geeignet,
3,CR,40,skipped,ein Velmaron CR wird nicht konfiguriert,
4,QX,54,confirmed,,
5,QX,25,confirmed,,dataSets.vdoSpecific dataSets.detailedSpeed168h fileNameFormat dateRange" ] ||
  fail "report: $(cat "$work/report.csv")"

step "what each device took over"
trep='"dailyActivities":true,"eventsAndFaults":true,"detailedSpeed24h":false,"technicalData":true,"driverCard":false'
byte='"fileNameFormat":"spanish","model":"velmaron","cardDate":true'
s unplug "$d" H
for expected in \
  "G {\"velmaronProfile\":1,\"periodDays\":28,\"dataSets\":{$trep,\"vdoSpecific\":false,\"fourHz\":false},$byte}" \
  "E {\"velmaronProfile\":1,\"periodDays\":28,\"dataSets\":{$trep,\"vdoSpecific\":true,\"detailedSpeed168h\":true,\"fourHz\":false},$byte,\"dateRange\":{\"on\":true,\"from\":\"2026-01-01\",\"to\":\"2026-03-31\"}}" \
  "H {\"velmaronProfile\":1,\"periodDays\":28,\"dataSets\":{$trep}}"; do
  read -r letter profile <<<"$expected"
  s plug "$d" "$letter"
  taken=$(vc profile save - 2>"$work/err" | flat) || fail "$letter: exit $?: $(cat "$work/err")"
  [ "$taken" = "$profile" ] || fail "$letter: $taken $(cat "$work/err")"
  s unplug "$d" "$letter"
done

step "a file that cannot be created is reported, nothing is announced, and --log tells why"
s plug "$d" E
mkdir "$d/E/UPDATES/QX999000.HEX"
apply --count 1 --log "$work/trace.log"
ended 1
expect "[1] Konfiguration konnte nicht gespeichert werden. Die Datei konnte nicht angelegt werden."
! grep -q "Gespeichert" "$work/out" || fail "announced: $(cat "$work/out")"
grep -q ',failed,' "$work/report.csv" || fail "report: $(cat "$work/report.csv")"
grep -q "	SaveUpdateFile QX999000.HEX	.*E[/\\]	CannotCreate at look for the file: QX999000.HEX is a directory" \
  "$work/trace.log" || fail "log: $(cat "$work/trace.log")"
rmdir "$d/E/UPDATES/QX999000.HEX"
status=0
vc --log "$work/none/trace.log" list >/dev/null 2>"$work/err" || status=$?
[ $status = 2 ] && grep -q "das Protokoll .* kann nicht geöffnet werden" "$work/err" ||
  fail "a log that cannot be opened: exit $status, $(cat "$work/err")"

step "another Velmaron connected while the user is asked: nothing is written"
s unplug "$d" E
s plug "$d" H
mkfifo "$work/answers"
cursor=0
: >"$work/out"
LANG=$language "${cli[@]}" --drives "$d" apply "$work/profile.json" --count 1 \
  <"$work/answers" >"$work/out" 2>&1 &
run=$!
exec 4>"$work/answers"
expect "Konfigurieren? [j/N]"
s plug "$d" E
echo j >&4
exec 4>&-
ended 1
expect "ein weiterer verbunden; nichts gespeichert"
[ ! -e "$d/E/UPDATES/QX999000.HEX" ] && [ ! -e "$d/H/UPDATES/QX999000.HEX" ] ||
  fail "written although the device changed"
s unplug "$d" H

step "a version file that appears while the device stays connected"
mv "$d/E/UPDATES/digivers.ion" "$work/status"
apply --count 1
expect "Konfigurationsdatei fehlt."
mv "$work/status" "$d/E/UPDATES/digivers.ion" # in one step: never read half written
expect "Konfiguration geschrieben"
s unplug "$d" E
expect "USB Kabel verbinden"
s plug "$d" E
expect "Einstellungen übernommen (bestätigt)"
ended 0

if [ "${cli[0]}" = wine ]; then
  skip "Ctrl+C: wine does not hand a signal on as the console's Ctrl+C"
  echo "fleet: passed"
  exit 0
fi
step "Ctrl+C while the tool waits for the cable"
apply --count 2
expect "USB Kabel trennen"
kill -INT "$run"
ended 130
expect "Abgebrochen."
grep -q ',interrupted,die Konfigurationsdatei liegt auf dem Velmaron' "$work/report.csv" ||
  fail "report: $(cat "$work/report.csv")"
[ "$(ls "$d/E/UPDATES")" = "QX999000.HEX
digivers.ion" ] || fail "left on the device: $(ls "$d/E/UPDATES")"
"$sim" show "$d" E | grep -q "taken over at the next plug-in" || fail "the file is not sound"
echo "fleet: passed"
