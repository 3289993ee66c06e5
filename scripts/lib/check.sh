# What the test scripts share (sourced): telling the step, failing with a message, saying what
# was skipped (by a script or by ctest), a temporary folder that goes when the script ends, and
# waiting for a condition with a time limit. check_name, set before sourcing, starts the
# messages and names the folder.
check_name=${check_name:-check}

# A line of what the script does now.
step() { echo "$check_name: $*"; }

fail() {
  echo "$check_name: FAILED: $*" >&2
  exit 1
}

# Says that a case did not run, and why; scripts/test counts it in the stage's summary line,
# so that a stage with a case left out never reads as wholly passed.
skip() { # reason
  echo "$check_name: SKIPPED: $*"
  if [ -n "${VELMARON_SKIP_LOG:-}" ]; then
    echo "$check_name: $*" >>"$VELMARON_SKIP_LOG"
  fi
}

# Whether a FUSE file system of python3-fusepy can be mounted here; says so as a skip when not,
# for the script to end.
fuse_works() {
  if [ -c /dev/fuse ] && command -v fusermount3 >/dev/null &&
    /usr/bin/python3 -c 'import fusepy' 2>/dev/null; then
    return 0
  fi
  skip "this machine has no FUSE"
  return 1
}

# Mounts a FUSE file system of python3-fusepy, its lines kept in $work/fuse.log; sets fuse_pid.
fuse_mount() { # script, folder, mount point, arguments...
  /usr/bin/python3 "$@" >>"$work/fuse.log" 2>&1 &
  fuse_pid=$!
  wait_until "the FUSE drive is there" mountpoint -q "$3"
}

# Lazily: the program may hold a handle on the drive, as when a cable is pulled.
fuse_unmount() { # mount point
  fusermount3 -u -z "$1"
  wait "$fuse_pid" 2>/dev/null || true
  fuse_pid=""
}

# ctest with the arguments given; each case it reports as skipped (a symbolic link that cannot
# be made here, say) is counted as skip counts it.
ctest_counting_skips() { # ctest arguments...
  local out status=0
  out=$(mktemp)
  ctest "$@" | tee "$out" || status=${PIPESTATUS[0]}
  if [ -n "${VELMARON_SKIP_LOG:-}" ]; then
    sed -nE 's/^[[:space:]]*[0-9]+ - (.+) \(Skipped\)$/ctest: \1/p' "$out" >>"$VELMARON_SKIP_LOG"
  fi
  rm -f "$out"
  return "$status"
}

# Makes the temporary folder $work, removed when the script ends, after the command given
# (e.g. desktop_stop) has run.
work_folder() { # [command]
  work=$(mktemp -d "${TMPDIR:-/tmp}/velmaron-$check_name.XXXXXX")
  trap "${1:-:} || true; rm -rf \"\$work\"" EXIT
}

# Runs a test command every 0.2 s until it succeeds; fails with the description after 15 s,
# or after the seconds --within gives.
wait_until() { # [--within seconds] description, command...
  local within=15
  if [ "$1" = --within ]; then
    within=$2
    shift 2
  fi
  local description=$1
  shift
  local deadline=$((SECONDS + within))
  until "$@"; do
    if [ "$SECONDS" -gt "$deadline" ]; then
      echo "timed out after $within s waiting until $description" >&2
      return 1
    fi
    sleep 0.2
  done
}
