#!/usr/bin/env bash
# The real program on a drive that answers each lookup 2 s late (slow_drive.py): the window's
# thread, sampled all along, never waits on the drive, the worker's does; a cycle ends as
# usual; closing the window, or Ctrl+C in velmaron-cli, ends it while the drive hangs.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
check_name=slow-drive
source scripts/lib/desktop.sh
source tests/e2e/take_over.sh

fuse_works || exit 0

fuse_pid=""
mount_drive() {
  mkdir -p "$drives/E"
  fuse_mount tests/e2e/slow_drive.py "$backing/E" "$drives/E" "$work/delay"
}
unmount_drive() {
  fuse_unmount "$drives/E"
  rmdir "$drives/E"
}
pull() { unmount_drive && sim unplug "$backing" E; }
plug() { sim plug "$backing" E && mount_drive; }
cleanup() {
  echo 0 >"$work/delay"
  [ -z "$fuse_pid" ] || unmount_drive
  [ -z "${sampler:-}" ] || kill "$sampler" 2>/dev/null || true
  desktop_stop
}
work_folder cleanup
backing=$work/backing # the emulated device's own folder of drives
drives=$work/drives   # what the program sees: E is the slow drive
mkdir -p "$drives"
echo 2 >"$work/delay"

# Where each thread waits, five times a second ("request_wait_answer": on the FUSE drive).
sample_threads() { # pid
  while kill -0 "$1" 2>/dev/null; do
    for task in /proc/"$1"/task/*; do
      printf '%s %s\n' "${task##*/}" "$(cat "$task/wchan" 2>/dev/null)"
    done
    sleep 0.2
  done >"$work/wchan"
}

step "a QX device with software version 54 on a drive that answers each lookup after 2 s"
sim new "$backing" E --type QX --version 54 --days 92 --trep 2 --config-byte 3F
cp "$backing/E.drive" "$drives/E.drive"

desktop_start
program_start "$build" "$drives"
sample_threads "$program_pid" &
sampler=$!
wait_until "the window shows no device" no_device_shown
mount_drive
wait_until --within 60 "the device is read" device_is_read

step "Alt+K writes the configuration file, however slowly"
press alt+k
wait_until --within 120 "the configuration file is written" test -f "$backing/E/UPDATES/QX999000.HEX"
wait_until --within 60 "the tall layout" height_is $TALL_HEIGHT

step "pull and plug: the device takes the file over, the window deletes it"
updates=$backing/E/UPDATES # where the window's deletion shows without a wait
taken_over 120

step "the drive hangs for good; closing the window ends the program"
echo 3600 >"$work/delay"
sleep 3 # a poll is waiting on the drive by now
press alt+F4
# Ended with its main thread: the process stays until the worker gets the drive's answer.
main_thread_ended() { # pid
  program_ended "$1" || grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}
wait_until --within 5 "the program ends" main_thread_ended "$program_pid"
echo 0 >"$work/delay"
wait_until "the drive answers and the process goes" program_ended

step "velmaron-cli: Ctrl+C while the drive hangs for good ends the fleet run"
echo 3600 >"$work/delay"
printf '{"velmaronProfile": 1, "periodDays": 7}\n' >"$work/profile.json"
"$build/velmaron-cli" --drives "$drives" apply "$work/profile.json" --yes --count 1 \
  >"$work/cli.out" 2>&1 &
cli=$!
cli_waits() { grep -q request_wait_answer /proc/"$cli"/task/*/wchan 2>/dev/null; }
wait_until --within 20 "the tool's worker waits on the drive" cli_waits
kill -INT "$cli"
wait_until --within 5 "Ctrl+C ends the tool" main_thread_ended "$cli"
grep -q "Abgebrochen\|Interrupted" "$work/cli.out" || fail "the tool did not say so: $(cat "$work/cli.out")"
echo 0 >"$work/delay"
wait "$cli" 2>/dev/null || true

kill "$sampler" 2>/dev/null || true
sampler=""
main_waits=$(grep -c "^$program_pid request_wait_answer" "$work/wchan" || true)
worker_waits=$(grep -v "^$program_pid " "$work/wchan" | grep -c request_wait_answer || true)
samples=$(grep -c "^$program_pid " "$work/wchan" || true)
step "$samples samples of the window's thread, $main_waits waiting on the drive; the worker waited in $worker_waits"
[ "$samples" -gt 50 ] || fail "too few samples of the window's thread"
[ "$worker_waits" -gt 0 ] || fail "the drive was never slow"
[ "$main_waits" = 0 ] || fail "the window's thread waited on the drive"
echo "slow-drive: passed"
