// Drive services on Linux. The drives are the mounted file systems of /proc/self/mountinfo
// in mount order, each with its mount point and a trailing '/' as its root. Pseudo file
// systems (device major 0) are left out, except network file systems, which have major 0
// too and count as remote drives. The type of a block device comes from sysfs, its label
// from the links in /dev/disk/by-label.

#include "device/drive_services_linux.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <linux/magic.h>
#include <map>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>
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

// What sysfs tells of a mounted block device; it stays true as long as the mount does.
struct BlockFacts {
    int type = kDriveUnknown;
    // The name of its directory in sysfs, for example sdb1; empty when it cannot be found.
    std::string name;
};

struct Mount {
    std::string root;   // mount point with a trailing '/'
    std::string device; // "major:minor"
    bool remote = false;
    std::optional<BlockFacts> facts; // filled on first use
};

// Files in /proc and /sys report a size of 0, so read until the end rather than by size.
std::optional<std::string> readAll(int file) {
    std::string content;
    std::array<char, 16384> buffer{};
    ssize_t count = 0;
    while ((count = ::read(file, buffer.data(), buffer.size())) != 0) {
        if (count < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (count > 0) {
            content.append(buffer.data(), static_cast<std::size_t>(count));
        }
    }
    return content;
}

// Plain system calls: the poll reads these files twice a second.
std::optional<std::string> readWholeFile(const fs::path& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return std::nullopt;
    }
    auto content = readAll(file);
    ::close(file);
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

// The mount table as last read, kept while it does not change. The kernel's mountinfo tells
// of a change through poll(): a priority event when a mount appeared or went since the file
// was opened or last polled, so the table is read again exactly then. A mountinfo that
// cannot tell (a plain file standing in for it) is read every time and compared byte for byte.
class MountTable {
public:
    explicit MountTable(fs::path path) : path_(std::move(path)) {}
    ~MountTable() {
        if (watched_ >= 0) {
            ::close(watched_);
        }
    }
    MountTable(const MountTable&) = delete;
    MountTable& operator=(const MountTable&) = delete;

    // Brings the table up to date; true when it changed. False from readable() when
    // mountinfo cannot be opened and read, and the table is then empty.
    bool refresh() {
        std::optional<std::string> text;
        if (watched_ >= 0) {
            if (!changedSincePoll()) {
                return false;
            }
            text = ::lseek(watched_, 0, SEEK_SET) == 0 ? readAll(watched_) : std::nullopt;
            if (!text) {
                // The poll has taken the change with it, so the kept-open file would not tell
                // of it again: the table stays as it was and the next refresh opens the file
                // afresh and reads it whole.
                ::close(watched_);
                watched_ = -1;
                return false;
            }
        } else {
            text = openAndRead();
        }
        readable_ = text.has_value();
        if (!text) {
            text.emplace();
        }
        if (*text == text_) {
            return false;
        }
        text_ = std::move(*text);
        mounts_ = parseMountInfo(text_);
        return true;
    }

    bool readable() const { return readable_; }
    std::vector<Mount>& mounts() { return mounts_; }

private:
    bool changedSincePoll() const {
        pollfd event{watched_, POLLPRI, 0};
        const int ready = ::poll(&event, 1, 0);
        return ready != 0 && (ready < 0 || (event.revents & (POLLPRI | POLLERR)) != 0);
    }

    // The kernel's mountinfo stays open from here on: opening it marks the table as seen, so
    // a change after this moment shows at the next poll.
    std::optional<std::string> openAndRead() {
        const int file = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (file < 0) {
            return std::nullopt;
        }
        auto text = readAll(file);
        struct statfs fileSystem {};
        if (text && ::fstatfs(file, &fileSystem) == 0 && fileSystem.f_type == PROC_SUPER_MAGIC) {
            watched_ = file;
        } else {
            ::close(file);
        }
        return text;
    }

    fs::path path_;
    int watched_ = -1;
    bool readable_ = false;
    std::string text_;
    std::vector<Mount> mounts_;
};

// The volume labels that udev keeps as links in /dev/disk/by-label, by block device name;
// read again when the mount table or the directory changes.
class LabelIndex {
public:
    explicit LabelIndex(fs::path directory) : directory_(std::move(directory)) {}

    void forget() { read_ = false; }

    std::string labelOf(const std::string& blockName) {
        struct stat status {};
        const bool present = ::stat(directory_.c_str(), &status) == 0;
        const Stamp stamp{present, status.st_ino, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
        // The kernel stamps changes coarsely: a change made in the same instant as the last
        // read would leave the stamp as it was, so a stamp that recent is not trusted.
        if (!read_ || stamp != stamp_ || stamp_.seconds + 1 >= readAt_) {
            readAt_ = ::time(nullptr);
            readLabels();
            stamp_ = stamp;
            read_ = true;
        }
        const auto it = labels_.find(blockName);
        return it == labels_.end() ? std::string() : it->second;
    }

private:
    struct Stamp {
        bool present = false;
        ino_t inode = 0;
        time_t seconds = 0;
        long nanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };

    void readLabels() {
        labels_.clear();
        std::error_code error;
        for (fs::directory_iterator it(directory_, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(it->path(), linkError);
            if (!linkError) {
                // The first link to a device wins, as a walk in directory order would find it.
                labels_.try_emplace(target.filename().string(),
                                    decodeEscapes(it->path().filename().string(), "x", 2, 16));
            }
        }
    }

    fs::path directory_;
    bool read_ = false;
    time_t readAt_ = 0;
    Stamp stamp_;
    std::map<std::string, std::string> labels_;
};

class LinuxDriveServices final : public DriveServices {
public:
    explicit LinuxDriveServices(const LinuxSystemRoots& roots)
        : roots_(roots), mountTable_(roots.proc / "self" / "mountinfo"),
          labels_(roots.dev / "disk" / "by-label") {}

    std::string GetDriveList() override {
        refreshMounts();
        if (!mountTable_.readable()) {
            return {};
        }
        std::string list;
        for (const auto& mount : mountTable_.mounts()) {
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
        return mount->remote ? kDriveRemote : factsOf(*mount).type;
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
        const std::string& name = factsOf(*mount).name;
        return name.empty() ? std::string() : labels_.labelOf(name);
    }

private:
    static std::string withTrailingSlash(std::string root) {
        if (root.empty() || root.back() != '/') {
            root += '/';
        }
        return root;
    }

    // True when the table changed; the labels are then read afresh too.
    bool refreshMounts() {
        const bool changed = mountTable_.refresh();
        if (changed) {
            labels_.forget();
        }
        return changed;
    }

    // The mount with this root, from the current table.
    Mount* findMount(const std::string& root) {
        auto& mounts = mountTable_.mounts();
        auto it = std::ranges::find(mounts, root, &Mount::root);
        if (it == mounts.end() && refreshMounts()) {
            it = std::ranges::find(mounts, root, &Mount::root);
        }
        return it == mounts.end() ? nullptr : &*it;
    }

    const BlockFacts& factsOf(Mount& mount) const {
        if (!mount.facts) {
            mount.facts = blockFacts(mount.device);
        }
        return *mount.facts;
    }

    BlockFacts blockFacts(const std::string& device) const {
        // /sys/dev/block/8:17 links to ../../devices/.../block/sdb/sdb1.
        const fs::path link = roots_.sys / "dev" / "block" / device;
        std::error_code error;
        const fs::path target = fs::read_symlink(link, error);
        if (error) {
            return {};
        }
        const fs::path directory = (link.parent_path() / target).lexically_normal();
        const fs::path disk =
            fs::exists(directory / "partition", error) ? directory.parent_path() : directory;
        BlockFacts facts{kDriveFixed, directory.filename().string()};
        const std::string diskName = disk.filename().string();
        if (diskName.starts_with("sr")) {
            facts.type = kDriveCdrom;
        } else if (diskName.starts_with("ram") || diskName.starts_with("zram")) {
            facts.type = kDriveRamDisk;
        } else if (const auto removable = readWholeFile(disk / "removable");
                   removable && removable->starts_with('1')) {
            facts.type = kDriveRemovable;
        }
        return facts;
    }

    LinuxSystemRoots roots_;
    MountTable mountTable_;
    LabelIndex labels_;
};

} // namespace

std::unique_ptr<DriveServices> MakeLinuxDriveServices(const LinuxSystemRoots& roots) {
    return std::make_unique<LinuxDriveServices>(roots);
}

std::unique_ptr<DriveServices> MakePlatformDriveServices() {
    return MakeLinuxDriveServices(LinuxSystemRoots{});
}

} // namespace velmaron
