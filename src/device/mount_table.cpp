#include "device/mount_table.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace velmaron {
namespace {

constexpr auto NetworkFileSystems = std::to_array<std::string_view>({
    "nfs",         "nfs4",        "cifs",      "smb3",        "smbfs",
    "ncpfs",       "afs",         "coda",      "ceph",        "9p",
    "lustre",      "glusterfs",   "davfs",     "fuse.sshfs",  "fuse.glusterfs",
    "fuse.davfs2", "fuse.rclone", "fuse.s3fs", "fuse.cephfs",
});

// A mountinfo line: id, parent id, major:minor, root within the file system, mount point,
// options, optional fields, "-", file system type, source, super options.
constexpr std::size_t DeviceField = 2;
constexpr std::size_t RootField = 3;
constexpr std::size_t MountPointField = 4;
constexpr std::size_t FirstOptionalField = 6;
// The fields up to the optional ones, the separator and the type.
constexpr std::size_t MinimumFields = FirstOptionalField + 2;
constexpr std::string_view Separator = "-";
constexpr std::string_view PseudoMajor = "0:";

// mountinfo's escapes: three octal digits.
constexpr std::size_t OctalDigits = 3;
constexpr int Octal = 8;
constexpr int MaxByte = 255;
// The value of the digit a (or A) in bases above ten.
constexpr int ValueOfDigitA = 10;

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + ValueOfDigitA;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + ValueOfDigitA;
    }
    return value < base ? value : -1;
}

std::string decodeMountEscapes(std::string_view text) {
    return DecodeEscapes(text, "", OctalDigits, Octal);
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// A mount as its line tells it: where, and whether it is a drive at all.
struct Entry {
    Mount mount;
    bool drive = false;
};

// nullopt for a line that is not a mountinfo line.
std::optional<Entry> parseMountLine(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.size() < MinimumFields) {
        return std::nullopt;
    }
    const auto separator = std::find(fields.begin() + FirstOptionalField, fields.end(), Separator);
    if (separator == fields.end() || std::next(separator) == fields.end()) {
        return std::nullopt;
    }
    const std::string_view device = fields[DeviceField];
    const std::string_view type = *(separator + 1);
    Entry entry;
    entry.mount.device = std::string(device);
    entry.mount.remote = std::ranges::find(NetworkFileSystems, type) != NetworkFileSystems.end();
    // Pseudo file systems have major 0; a bind mount of a part of a volume (root other than
    // "/") is not a drive of its own.
    entry.drive = entry.mount.remote || (!device.starts_with(PseudoMajor) &&
                                         decodeMountEscapes(fields[RootField]) == "/");
    entry.mount.root = decodeMountEscapes(fields[MountPointField]);
    if (entry.mount.root.empty() || entry.mount.root.back() != '/') {
        entry.mount.root += '/';
    }
    return entry;
}

} // namespace

std::string DecodeEscapes(std::string_view text, std::string_view marker, std::size_t digits,
                          int base) {
    std::string decoded;
    decoded.reserve(text.size());
    const std::size_t length = 1 + marker.size() + digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        int value = -1;
        if (rest.size() >= length && rest[0] == '\\' && rest.substr(1).starts_with(marker)) {
            value = 0;
            for (const char c : rest.substr(1 + marker.size(), digits)) {
                const int digit = digitValue(c, base);
                value = digit < 0 || value < 0 ? -1 : value * base + digit;
            }
        }
        if (value >= 0 && value <= MaxByte) {
            decoded += static_cast<char>(value);
            i += length - 1;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::vector<Mount> ParseMountInfo(std::string_view mountinfo) {
    std::vector<Entry> entries;
    while (!mountinfo.empty()) {
        const std::size_t end = std::min(mountinfo.find('\n'), mountinfo.size());
        if (auto entry = parseMountLine(mountinfo.substr(0, end))) {
            entries.push_back(std::move(*entry));
        }
        mountinfo.remove_prefix(std::min(end + 1, mountinfo.size()));
    }
    // What a mount point shows is its last mount, whether a drive or not.
    std::map<std::string_view, std::size_t> lastAt;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lastAt[entries[i].mount.root] = i;
    }
    std::vector<Mount> drives;
    std::set<std::string_view> volumes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Mount& mount = entries[i].mount;
        if (!entries[i].drive || lastAt.find(mount.root)->second != i) {
            continue;
        }
        // Each mount of a network file system is a drive of its own, even where two share
        // a device number.
        const bool firstOfVolume = volumes.insert(mount.device).second;
        if (mount.remote || firstOfVolume) {
            drives.push_back(mount);
        }
    }
    return drives;
}

} // namespace velmaron
