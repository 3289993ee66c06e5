# Disk images on loop devices, mounted and unmounted, for the tests against a real file system
# (sourced, after check.sh): attach an image, mount it where a test wants it, unmount it as a
# user pulls a stick. loop_release, from the script's exit trap, undoes whatever is still
# mounted or attached, also when the script fails.
loop_devices=()
loop_mounts=()

# Whether this machine lets us attach and mount images; prints why not.
loop_unusable() {
  if [ "$(id -u)" != 0 ]; then
    echo "loop devices and mounts need root"
  elif ! losetup -f >/dev/null 2>&1; then
    echo "this machine has no free loop device"
  else
    return 1
  fi
}

# Attaches the image file to a free loop device; sets loop_device.
loop_attach() { # image
  loop_device=$(losetup -f --show "$1")
  loop_devices+=("$loop_device")
}

# Mounts loop_device at the folder with the mount command given, e.g. "mount -t ext4" or
# mount.exfat-fuse (which gets the device and the folder after its own arguments).
loop_mount() { # folder, command...
  local folder=$1
  shift
  "$@" "$loop_device" "$folder"
  loop_mounts+=("$folder")
}

# Unmounts the folder, waiting up to 10 s while a program has a file open there, as a user
# who pulls a stick waits for the light to stop; the driver has written everything out when
# this returns.
loop_unmount() { # folder
  wait_until --within 10 "$1 is unmounted" loop_unmounted "$1"
  local kept=() folder
  for folder in "${loop_mounts[@]}"; do
    [ "$folder" = "$1" ] || kept+=("$folder")
  done
  loop_mounts=("${kept[@]}")
}

loop_unmounted() { umount "$1" 2>/dev/null; }

loop_release() {
  local i
  for ((i = ${#loop_mounts[@]} - 1; i >= 0; i--)); do
    umount -l "${loop_mounts[i]}" 2>/dev/null || true
  done
  for i in "${loop_devices[@]}"; do
    losetup -d "$i" 2>/dev/null || true
  done
  loop_mounts=()
  loop_devices=()
}
