#!/usr/bin/env bash
# The real window on the screens users have, with a taskbar or not: read, and tall after Alt+K,
# its frame lies inside the work area; a picture of the tall layout goes to SHOTS.
#
#   tests/e2e/screen_fit_test.sh [BUILD [SHOTS]]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
shots=${2:-$build/screenshots/screen-fit}
check_name=screen-fit
source scripts/lib/desktop.sh
work_folder desktop_stop
mkdir -p "$shots"
drives=$work/drives
config=$drives/E/UPDATES/QX999000.HEX
sim new "$drives" E --type QX --version 54 --days 92 --trep 2,3

# name, screen, scale, height of a reserved taskbar (0: none)
cases=(
  "1366x768-100 1366x768x24 1 0"
  "1366x768-taskbar 1366x768x24 1 40"
  "1920x1080-150-taskbar 1920x1080x24 1.5 60"
  "2560x1440-200-taskbar 2560x1440x24 2 80"
)
for entry in "${cases[@]}"; do
  read -r name screen scale taskbar <<<"$entry"
  step "$name"
  rm -f "$config"
  desktop_start "$screen"
  if [ "$taskbar" != 0 ]; then
    /usr/bin/python3 tests/e2e/x_dock.py "$taskbar" >"$work/dock" &
    desktop_pids+=($!)
    wait_until "$name: the taskbar's strip reserved" grep -qs reserved "$work/dock"
  fi
  QT_SCALE_FACTOR=$scale program_start "$build" "$drives" || fail "$name: no window"
  normal=$(window_height)
  wait_until "$name: the window framed" frame_inside >/dev/null || fail "$name: $(frame_inside)"
  wait_until "$name: Alt+K writes the configuration" configured "$config"
  wait_until "$name: the tall layout" eval '[ "$(window_height)" -gt "$normal" ]'
  sleep 0.5 # the window manager moves the frame
  frame_inside >/dev/null || fail "$name, tall: $(frame_inside)"
  step "$name: tall $(window_height) px high, $(frame_inside)"
  import -window root "$shots/$name.png"
  desktop_stop
done
echo "screen-fit: passed; pictures in $shots"
