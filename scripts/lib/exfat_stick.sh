# A Velmaron whose drive is an exFAT stick (sourced, after desktop.sh, with work and build
# set): an image made by mkfs.exfat, mounted by the FUSE exFAT driver over a
# loop device, its names in upper case as the device's firmware writes them. The emulator
# keeps the device's own memory in $stick_device, where drive E is a link to a private mount
# point of the same image: while the cable is pulled the device takes the configuration file
# over there, with the emulator's own code.
source "$(dirname "${BASH_SOURCE[0]}")/loop_mount.sh"
stick_device=$work/device
stick_private=$work/private

# Why this machine cannot mount such a stick; nothing, and false, when it can.
stick_unusable() {
  loop_unusable && return 0
  if [ ! -c /dev/fuse ] || ! command -v mount.exfat-fuse mkfs.exfat >/dev/null; then
    echo "this machine has no FUSE exFAT driver (exfat-fuse, exfatprogs)"
    return 0
  fi
  return 1
}

# A new device with the emulator's settings given, its cable pulled.
stick_new() { # velmaron-sim new's options...
  mkdir -p "$stick_device" "$stick_private"
  sim new "$stick_device" E "$@"
  truncate -s 16M "$work/stick.img"
  mkfs.exfat -L VELMARON "$work/stick.img" >/dev/null
  loop_attach "$work/stick.img"
  loop_mount "$stick_private" mount.exfat-fuse
  mkdir -p "$stick_private/VELMARON/CARD" "$stick_private/UPDATES"
  cp "$stick_device/E/UPDATES/digivers.ion" "$stick_private/UPDATES/DIGIVERS.ION"
  loop_unmount "$stick_private"
  rm -r "$stick_device/E"
  ln -s "$stick_private" "$stick_device/E.unplugged"
}

# Plugs the cable in: the device takes a configuration file over before its drive is mounted
# at the folder.
stick_plug() { # folder
  loop_mount "$stick_private" mount.exfat-fuse
  sim plug "$stick_device" E
  loop_unmount "$stick_private"
  loop_mount "$1" mount.exfat-fuse
}

stick_pull() { # folder
  loop_unmount "$1"
  sim unplug "$stick_device" E
}
