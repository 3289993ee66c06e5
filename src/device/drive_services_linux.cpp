// Drive services on Linux. The drives are the mounted file systems of /proc/self/mountinfo
// in mount order, each with its mount point and a trailing '/' as its root. Pseudo file
// systems (device major 0) are left out, except network file systems, which have major 0
// too and count as remote drives. The type of a block device comes from sysfs, its label
// from the links in /dev/disk/by-label.

#include "device/drive_services_linux.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 19> kNetworkFileSystems = {
    "nfs",         "nfs4",        "cifs",      "smb3",        "smbfs",
    "ncpfs",       "afs",         "coda",      "ceph",        "9p",
    "lustre",      "glusterfs",   "davfs",     "fuse.sshfs",  "fuse.glusterfs",
    "fuse.davfs2", "fuse.rclone", "fuse.s3fs", "fuse.cephfs",
};

struct Mount {
    std::string root;   // mount point with a trailing '/'
    std::string device; // "major:minor"
    bool remote = false;
    // Filled on first use: the block device's directory in sysfs, for example
    // /sys/devices/.../block/sdb/sdb1, or empty when it cannot be found.
    std::optional<fs::path> sysfsDirectory;
};

std::optional<std::string> readWholeFile(const fs::path& path) {
    // Files in /proc report a size of 0, so read until the end rather than by size. Plain
    // system calls: the poll reads mountinfo twice a second.
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return std::nullopt;
    }
    std::string content;
    std::array<char, 16384> buffer{};
    ssize_t count = 0;
    while ((count = ::read(file, buffer.data(), buffer.size())) != 0) {
        if (count < 0 && errno != EINTR) {
            break;
        }
        if (count > 0) {
            content.append(buffer.data(), static_cast<std::size_t>(count));
        }
    }
    ::close(file);
    if (count < 0) {
        return std::nullopt;
    }
    return content;
}

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// Decodes escapes of the form backslash, marker, then digits in the given base. mountinfo
// writes blank, tab, newline and backslash as \040, \011, \012 and \134; udev writes
// characters that are unsafe in file names as \xNN.
std::string decodeEscapes(std::string_view text, std::string_view marker, std::size_t digits,
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
        if (value >= 0 && value <= 255) {
            decoded += static_cast<char>(value);
            i += length - 1;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string decodeMountEscapes(std::string_view text) {
    return decodeEscapes(text, "", 3, 8);
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

// One line of mountinfo: id, parent id, major:minor, root within the file system, mount
// point, options, optional fields, "-", file system type, source, super options.
std::optional<Mount> parseMountLine(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.size() < 8) {
        return std::nullopt;
    }
    const auto separator = std::find(fields.begin() + 6, fields.end(), std::string_view("-"));
    if (separator == fields.end() || std::next(separator) == fields.end()) {
        return std::nullopt;
    }
    const std::string_view device = fields[2];
    const std::string_view type = *(separator + 1);
    Mount mount;
    mount.device = std::string(device);
    mount.remote = std::ranges::find(kNetworkFileSystems, type) != kNetworkFileSystems.end();
    if (!mount.remote) {
        // Pseudo file systems have major 0; a bind mount of a part of a volume (root other
        // than "/") is not a drive of its own.
        if (device.starts_with("0:") || decodeMountEscapes(fields[3]) != "/") {
            return std::nullopt;
        }
    }
    mount.root = decodeMountEscapes(fields[4]);
    if (mount.root.empty() || mount.root.back() != '/') {
        mount.root += '/';
    }
    return mount;
}

std::vector<Mount> parseMountInfo(std::string_view text) {
    std::vector<Mount> mounts;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        auto mount = parseMountLine(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!mount) {
            continue;
        }
        // A later mount on the same mount point hides the earlier one; a volume mounted
        // twice is still one drive, listed at its first mount point.
        std::erase_if(mounts, [&](const Mount& m) { return m.root == mount->root; });
        const bool seen = std::ranges::any_of(
            mounts, [&](const Mount& m) { return !mount->remote && m.device == mount->device; });
        if (!seen) {
            mounts.push_back(std::move(*mount));
        }
    }
    return mounts;
}

class LinuxDriveServices final : public DriveServices {
public:
    explicit LinuxDriveServices(const LinuxSystemRoots& roots) : roots_(roots) {}

    std::string GetDriveList() override {
        if (!refreshMounts()) {
            return {};
        }
        std::string list;
        for (const auto& mount : mounts_) {
            list += mount.root;
            list += '\0';
        }
        if (!list.empty()) {
            list += '\0';
        }
        return list;
    }

    int DriveType(const std::string& root) override {
        Mount* mount = findMount(withTrailingSlash(root));
        if (mount == nullptr) {
            return kDriveNoRootDir;
        }
        if (mount->remote) {
            return kDriveRemote;
        }
        const auto& directory = sysfsDirectory(*mount);
        if (directory.empty()) {
            return kDriveUnknown;
        }
        std::error_code error;
        const fs::path disk =
            fs::exists(directory / "partition", error) ? directory.parent_path() : directory;
        const std::string name = disk.filename().string();
        if (name.starts_with("sr")) {
            return kDriveCdrom;
        }
        if (name.starts_with("ram") || name.starts_with("zram")) {
            return kDriveRamDisk;
        }
        const auto removable = readWholeFile(disk / "removable");
        return removable && removable->starts_with('1') ? kDriveRemovable : kDriveFixed;
    }

    std::string VolumeName(std::string& drive) override {
        drive = withTrailingSlash(drive);
        Mount* mount = findMount(drive);
        std::error_code error;
        if (mount == nullptr || !fs::is_directory(mount->root, error)) {
            return std::string(kNoVolumeName);
        }
        if (mount->remote) {
            return {};
        }
        const auto& directory = sysfsDirectory(*mount);
        if (directory.empty()) {
            return {};
        }
        return labelOf(directory.filename().string());
    }

private:
    static std::string withTrailingSlash(std::string root) {
        if (root.empty() || root.back() != '/') {
            root += '/';
        }
        return root;
    }

    bool refreshMounts() {
        const auto text = readWholeFile(roots_.proc / "self" / "mountinfo");
        if (!text) {
            mounts_.clear();
            return false;
        }
        mounts_ = parseMountInfo(*text);
        return true;
    }

    // The mount with this root, from the last listing or, failing that, a fresh one.
    Mount* findMount(const std::string& root) {
        const auto find = [&]() -> Mount* {
            const auto it = std::ranges::find(mounts_, root, &Mount::root);
            return it == mounts_.end() ? nullptr : &*it;
        };
        if (Mount* mount = find()) {
            return mount;
        }
        refreshMounts();
        return find();
    }

    const fs::path& sysfsDirectory(Mount& mount) const {
        if (!mount.sysfsDirectory) {
            // /sys/dev/block/8:17 links to ../../devices/.../block/sdb/sdb1.
            const fs::path link = roots_.sys / "dev" / "block" / mount.device;
            std::error_code error;
            const fs::path target = fs::read_symlink(link, error);
            mount.sysfsDirectory =
                error ? fs::path() : (link.parent_path() / target).lexically_normal();
        }
        return *mount.sysfsDirectory;
    }

    // The label whose link in /dev/disk/by-label points to the block device blockName.
    std::string labelOf(const std::string& blockName) const {
        std::error_code error;
        for (fs::directory_iterator it(roots_.dev / "disk" / "by-label", error), end;
             !error && it != end; it.increment(error)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(it->path(), linkError);
            if (!linkError && target.filename() == blockName) {
                return decodeEscapes(it->path().filename().string(), "x", 2, 16);
            }
        }
        return {};
    }

    LinuxSystemRoots roots_;
    std::vector<Mount> mounts_;
};

} // namespace

std::unique_ptr<DriveServices> MakeLinuxDriveServices(const LinuxSystemRoots& roots) {
    return std::make_unique<LinuxDriveServices>(roots);
}

std::unique_ptr<DriveServices> MakePlatformDriveServices() {
    return MakeLinuxDriveServices(LinuxSystemRoots{});
}

} // namespace velmaron
