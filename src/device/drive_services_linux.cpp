// Drive services on Linux. The drives are those of /proc/self/mountinfo as mount_table.h
// finds them, each with its mount point and a trailing '/' as its root. The type of a block
// device comes from sysfs, its label from the links in /dev/disk/by-label.

#include "device/drive_services_linux.h"

#include "device/mount_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <linux/magic.h>
#include <map>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

// What sysfs tells of a mounted block device; it stays true as long as the mount does.
struct BlockFacts {
    DriveKind kind = DriveKind::Unknown;
    // The name of its directory in sysfs, for example sdb1; empty when it cannot be found.
    std::string name;
};

struct Drive : Mount {
    std::optional<BlockFacts> facts; // filled on first use
};

// Files in /proc and /sys are read in pieces of this size.
constexpr std::size_t ReadChunk = 16384;
// udev's escapes in label names: \x and two hexadecimal digits.
constexpr std::size_t HexDigits = 2;
constexpr int Hexadecimal = 16;

// Files in /proc and /sys report a size of 0, so read until the end rather than by size.
std::optional<std::string> readAll(int file) {
    std::string content;
    std::array<char, ReadChunk> buffer{};
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

    // Brings the table up to date; true when it changed. A mountinfo that cannot be opened
    // and read gives an empty table.
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
        if (!text) {
            text.emplace();
        }
        if (*text == text_) {
            return false;
        }
        text_ = std::move(*text);
        drives_.clear();
        for (Mount& mount : ParseMountInfo(text_)) {
            drives_.push_back({std::move(mount), {}});
        }
        return true;
    }

    std::vector<Drive>& drives() { return drives_; }

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
    std::string text_;
    std::vector<Drive> drives_;
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
                labels_.try_emplace(
                    target.filename().string(),
                    DecodeEscapes(it->path().filename().string(), "x", HexDigits, Hexadecimal));
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

    std::vector<std::string> GetDriveList() override {
        refreshMounts();
        std::vector<std::string> roots;
        for (const Drive& drive : mountTable_.drives()) {
            roots.push_back(drive.root);
        }
        return roots;
    }

    DriveKind DriveType(const std::string& root) override {
        Drive* drive = findDrive(withTrailingSlash(root));
        if (drive == nullptr) {
            return DriveKind::NoRootDir;
        }
        return drive->remote ? DriveKind::Remote : factsOf(*drive).kind;
    }

    std::optional<std::string> VolumeName(const std::string& root) override {
        Drive* drive = findDrive(withTrailingSlash(root));
        std::error_code error;
        if (drive == nullptr || !fs::is_directory(drive->root, error)) {
            return std::nullopt;
        }
        if (drive->remote) {
            return "";
        }
        const std::string& name = factsOf(*drive).name;
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

    // The drive with this root, from the current table.
    Drive* findDrive(const std::string& root) {
        auto& drives = mountTable_.drives();
        auto it = std::ranges::find(drives, root, &Drive::root);
        if (it == drives.end() && refreshMounts()) {
            it = std::ranges::find(drives, root, &Drive::root);
        }
        return it == drives.end() ? nullptr : &*it;
    }

    const BlockFacts& factsOf(Drive& drive) const {
        if (!drive.facts) {
            drive.facts = blockFacts(drive.device);
        }
        return *drive.facts;
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
        BlockFacts facts{DriveKind::Fixed, directory.filename().string()};
        const std::string diskName = disk.filename().string();
        if (diskName.starts_with("sr")) {
            facts.kind = DriveKind::Cdrom;
        } else if (diskName.starts_with("ram") || diskName.starts_with("zram")) {
            facts.kind = DriveKind::RamDisk;
        } else if (const auto removable = readWholeFile(disk / "removable");
                   removable && removable->starts_with('1')) {
            facts.kind = DriveKind::Removable;
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
