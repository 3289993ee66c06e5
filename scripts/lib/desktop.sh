# Driving the real program on a virtual display, for the demonstration, the screenshots, the
# benchmarks and the end-to-end tests (sourced): a display of our own with a window manager,
# the program's window, clicks at a control's place, what parts of the window show, and
# waiting for them. Positions are the layout's twips (15 to a pixel) from the window's top
# left corner.

desktop_lib=$(dirname "${BASH_SOURCE[0]}")
source "$desktop_lib/check.sh" # wait_until

desktop_pids=()

# A free display with openbox on it; sets DISPLAY. Another program may take a display number
# at the same moment, so a server that does not come up makes us try the next one.
desktop_start() { # [screen geometry, default 1024x900x24]
  local geometry=${1:-1024x900x24}
  local display=90
  while :; do
    if [ ! -e "/tmp/.X${display}-lock" ] && [ ! -e "/tmp/.X11-unix/X${display}" ]; then
      Xvfb ":${display}" -screen 0 "$geometry" -nolisten tcp >/dev/null 2>&1 &
      local server=$!
      local tries
      for tries in $(seq 50); do
        kill -0 "$server" 2>/dev/null || break
        if DISPLAY=":${display}" xdotool getdisplaygeometry >/dev/null 2>&1; then
          desktop_pids+=("$server")
          export DISPLAY=":${display}"
          openbox >/dev/null 2>&1 &
          desktop_pids+=($!)
          sleep 1 # the window manager takes over the screen
          return 0
        fi
        sleep 0.1
      done
      kill "$server" 2>/dev/null || true
    fi
    display=$((display + 1))
    [ "$display" -lt 200 ] || { echo "no free display" >&2; return 1; }
  done
}

# Stops what desktop_start and program_start started, the program first.
desktop_stop() {
  local i
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
    kill "${desktop_pids[i]}" 2>/dev/null || true
    wait "${desktop_pids[i]}" 2>/dev/null || true
  done
  desktop_pids=()
}

# Waits up to $1 seconds (default 20) for the program's window to show; sets window. Fails
# with a message when none shows.
window_wait() { # [seconds]
  local seconds=${1:-20}
  window=$(timeout "$seconds" xdotool search --sync --onlyvisible \
    --name '^Velmaron Configuration$' 2>/dev/null | head -n 1) || true
  if [ -z "$window" ]; then
    echo "the window did not show within $seconds s" >&2
    return 1
  fi
}

# Starts the program on the simulated drives in $2; sets program_pid and window.
program_start() { # build folder, drives folder
  "$1/velmaron-config" --drives "$2" >/dev/null 2>&1 &
  program_pid=$!
  desktop_pids+=("$program_pid")
  window_wait || return 1
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
}

# The emulator of the build folder $build on the drives given, its lines kept in $work/sim.log.
sim() { "$build/velmaron-sim" "$@" >>"$work/sim.log"; }

# Whether a program has ended, by default the one program_start started.
program_ended() { # [pid]
  ! kill -0 "${1:-$program_pid}" 2>/dev/null
}

# Ends a program that desktop_pids holds, by default the one program_start started, and
# forgets it.
program_stop() { # [pid]
  local stopped=${1:-$program_pid} pid kept=()
  kill "$stopped" 2>/dev/null || true
  wait "$stopped" 2>/dev/null || true
  for pid in "${desktop_pids[@]}"; do
    [ "$pid" = "$stopped" ] || kept+=("$pid")
  done
  desktop_pids=("${kept[@]}")
}

click_at() { # left, top in twips
  xdotool mousemove --window "$window" $(($1 / 15)) $(($2 / 15)) click 1
  sleep 0.3
}

press() { # keys as xdotool names them, e.g. alt+k
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$@"
  sleep 0.3
}

type_text() {
  xdotool type --delay 50 "$1"
  sleep 0.3
}

window_height() {
  xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p'
}

# Whether anything is drawn in a region (left, top, width, height in twips), or only the
# plain background: a label that is hidden shows nothing.
region_shows_something() {
  local deviation
  deviation=$(import -window "$window" -crop "$(($3 / 15))x$(($4 / 15))+$(($1 / 15))+$(($2 / 15))" \
    +repage -format '%[fx:standard_deviation]' info: 2>/dev/null)
  [ "${deviation:-0}" != 0 ]
}

# A fingerprint of what a region (left, top, width, height in twips) shows.
region_fingerprint() {
  import -window "$window" -crop "$(($3 / 15))x$(($4 / 15))+$(($1 / 15))+$(($2 / 15))" +repage \
    ppm:- 2>/dev/null | md5sum
}

screenshot() { # file
  import -frame -window "$window" "$1"
}

# The layout's places of the controls the scripts use, in twips from the window's top left:
# inside a frame a control sits at the frame's place plus its own.
readonly SW_VERSION_LABEL="1560 5640 2055 255"
readonly INSTRUCTION_LABEL="360 7680 2535 1095"
readonly PLACE_CHECK3="360 2767"      # "Ereignisse && Störungen"
readonly PLACE_CHECK5="360 3967"      # "Technische Daten"
readonly PLACE_CHECK7="2640 1867"     # "Datum auf Karte schreiben"
readonly PLACE_CHECK9="2640 2527"     # "Detaillierte Geschwindigkeit (168h)"
readonly PLACE_CHECK11="360 4447"     # "Von/Bis"
readonly PLACE_DAYS="487 2227"        # the period in days
readonly PLACE_FILE_NAME_PAGE="2550 345"
readonly PLACE_SETTINGS_PAGE="630 345"
readonly PLACE_SPANISH="750 2947"     # "Spanisch (TGD)" on the file-name page
readonly NORMAL_HEIGHT=492            # the window's client area, normal and tall
readonly TALL_HEIGHT=748

# Whether the window's frame lies inside the work area that docks and taskbars leave free; prints
# both.
frame_inside() { /usr/bin/python3 "$desktop_lib/../../tests/e2e/x_frame_inside.py" "$window"; }

# Presses Alt+K until the configuration file given is there: the button takes it only once the
# device's settings are read.
configured() { # file
  [ -f "$1" ] && return 0
  press alt+k
  return 1
}

# Whether a message box shows beside the main window: it has the window's title.
boxes_shown() {
  [ "$(xdotool search --onlyvisible --name '^Velmaron Configuration$' | wc -l)" -gt 1 ]
}
no_box_shown() { ! boxes_shown; }
height_is() { [ "$(window_height)" = "$1" ]; }
region_changed_from() { [ "$(region_fingerprint "$1" "$2" "$3" "$4")" != "$5" ]; }
device_is_read() { region_shows_something $SW_VERSION_LABEL; }
no_device_shown() { ! region_shows_something $SW_VERSION_LABEL; }
