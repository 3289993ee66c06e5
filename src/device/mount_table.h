#pragma once
// The drives among the mounts of a Linux mount table (/proc/self/mountinfo): the text in,
// the drives out, without touching the system.

#include <string>
#include <string_view>
#include <vector>

namespace velmaron {

struct Mount {
    std::string root;    // the mount point, decoded, with a trailing '/'
    std::string device;  // "major:minor" as mountinfo writes it
    bool remote = false; // a network file system

    bool operator==(const Mount&) const = default;
};

// The drives in mount order. Pseudo file systems (device major 0) are left out, except
// network file systems, which have major 0 too and are the remote drives; so is a bind
// mount of a part of a volume. A later mount on a mount point hides what was mounted there
// before; a volume mounted twice is one drive, listed where it is first mounted and still
// visible. Lines that are not mountinfo lines are skipped.
std::vector<Mount> ParseMountInfo(std::string_view mountinfo);

// Decodes escapes of the form backslash, marker, then digits in the given base, up to 255:
// mountinfo writes blank, tab, newline and backslash as \040, \011, \012 and \134 (no
// marker, three octal digits); udev writes characters that are unsafe in file names as \xNN.
std::string DecodeEscapes(std::string_view text, std::string_view marker, std::size_t digits,
                          int base);

} // namespace velmaron
