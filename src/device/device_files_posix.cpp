// Safe access to the device's files on POSIX systems: every step of a walk is an openat()
// that refuses links (O_NOFOLLOW) relative to the directory before it, and the directory at
// the end is kept open as a descriptor that reads, listings and deletions work from.

#include "device/device_files.h"
#include "device/diagnostic_log.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velmaron {
namespace {

constexpr int DirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
constexpr int FileFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// Where a lookup starts: an open directory, or the drive root's path, which is only opened
// when a name has to be looked up in its listing.
struct Parent {
    int fd = -1;
    const std::string* rootPath = nullptr;

    int openExact(std::string_view name, int flags) const {
        if (fd >= 0)
            return ::openat(fd, std::string(name).c_str(), flags);
        return ::open((std::filesystem::path(*rootPath) / std::string(name)).c_str(), flags);
    }
    int statExact(std::string_view name, struct stat& status) const {
        if (fd >= 0)
            return ::fstatat(fd, std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW);
        return ::fstatat(AT_FDCWD, (std::filesystem::path(*rootPath) / std::string(name)).c_str(),
                         &status, AT_SYMLINK_NOFOLLOW);
    }
    Descriptor openForListing() const {
        if (fd >= 0)
            return Descriptor(::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return Descriptor(::open(rootPath->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
};

// Calls visit(name, d_type) for every entry of the directory but "." and "..".
template <class Visit> void listEntries(Descriptor listing, Visit visit) {
    DIR* dir = listing ? ::fdopendir(listing.get()) : nullptr;
    if (dir == nullptr)
        return;
    listing.release(); // closedir closes it
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            visit(name, entry->d_type);
    }
    ::closedir(dir);
}

// Only when the exact name is missing is the directory listed for the name in another case.
std::optional<std::string> otherCase(const Parent& parent, std::string_view name) {
    std::optional<std::string> best;
    listEntries(parent.openForListing(), [&](std::string_view listed, unsigned char) {
        if (SameNameIgnoringCase(listed, name) && (!best || listed < *best))
            best = std::string(listed);
    });
    return best;
}

// Opens the entry matching name in any case; a link, or an entry the flags refuse, gives -1.
Descriptor openEntry(const Parent& parent, std::string_view name, int flags,
                     std::string* listedName = nullptr) {
    int fd = parent.openExact(name, flags);
    std::string opened(name);
    if (fd < 0 && errno == ENOENT) {
        if (const auto other = otherCase(parent, name)) {
            opened = *other;
            fd = parent.openExact(opened, flags);
        }
    }
    if (fd >= 0 && listedName != nullptr)
        *listedName = opened;
    return Descriptor(fd);
}

ReadResult readOpenFile(Descriptor file, std::size_t limit) {
    if (!file)
        return {ReadStatus::Missing, {}};
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return {ReadStatus::Failed, {}};
    if (!S_ISREG(status.st_mode))
        return {ReadStatus::NotRegular, {}};
    ReadResult result{ReadStatus::Ok, {}};
    // One byte beyond the bound tells a file that is too long.
    result.content.resize(std::min<std::size_t>(static_cast<std::size_t>(status.st_size), limit) +
                          1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.content.size())
            result.content.resize(std::min(result.content.size() * 2, limit + 1));
        if (filled == limit + 1)
            return {ReadStatus::TooLong, {}};
        const ssize_t count =
            ::read(file.get(), result.content.data() + filled, result.content.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return {ReadStatus::Failed, {}};
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    result.content.resize(filled);
    return result;
}

bool isKind(mode_t mode, EntryKind kind) {
    return kind == EntryKind::File ? S_ISREG(mode) : S_ISDIR(mode);
}

} // namespace

ReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
    return readOpenFile(Descriptor(::open(path.c_str(), FileFlags & ~O_NOFOLLOW)), limit);
}

std::optional<DeviceDirectory> DeviceDirectory::Open(const std::string& driveRoot,
                                                     std::string_view relative) {
    const auto parts = SplitDevicePath(relative);
    if (!parts)
        return std::nullopt;
    std::filesystem::path path(driveRoot);
    Descriptor current;
    if (parts->empty())
        current = Descriptor(::open(driveRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const std::string& part : *parts) {
        std::string listed;
        current = openEntry(Parent{current.get(), &driveRoot}, part, DirectoryFlags, &listed);
        if (!current)
            return std::nullopt;
        path /= listed;
    }
    if (!current)
        return std::nullopt;
    return DeviceDirectory(current.release(), std::move(path));
}

DeviceDirectory::~DeviceDirectory() {
    if (handle_ != NoHandle)
        ::close(static_cast<int>(handle_));
}

std::optional<std::string> DeviceDirectory::Find(std::string_view name, EntryKind kind) const {
    const Parent parent{static_cast<int>(handle_), nullptr};
    struct stat status {};
    std::string listed(name);
    if (parent.statExact(listed, status) != 0) {
        const auto other = errno == ENOENT ? otherCase(parent, name) : std::nullopt;
        if (!other || parent.statExact(*other, status) != 0)
            return std::nullopt;
        listed = *other;
    }
    if (!isKind(status.st_mode, kind))
        return std::nullopt;
    return listed;
}

std::vector<std::string> DeviceDirectory::Files() const {
    const int fd = static_cast<int>(handle_);
    std::vector<std::string> files;
    listEntries(
        Parent{fd, nullptr}.openForListing(), [&](std::string_view name, unsigned char type) {
            struct stat status {};
            const bool regular = type == DT_REG || (type == DT_UNKNOWN &&
                                                    ::fstatat(fd, std::string(name).c_str(),
                                                              &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                                                    S_ISREG(status.st_mode));
            if (regular)
                files.emplace_back(name);
        });
    std::sort(files.begin(), files.end());
    return files;
}

ReadResult DeviceDirectory::Read(std::string_view name, std::size_t limit) const {
    return readOpenFile(openEntry(Parent{static_cast<int>(handle_), nullptr}, name, FileFlags),
                        limit);
}

bool DeviceDirectory::Remove(const std::string& name) const {
    // On POSIX systems a file's own permissions do not stand in the way of deleting it.
    if (::unlinkat(static_cast<int>(handle_), name.c_str(), 0) == 0)
        return true;
    // A file that is not there is no failure: clean-ups remove what may not have been made.
    if (const int error = errno; error != ENOENT && DiagnosticLog::On())
        DiagnosticLog::WriteIn("DeviceDirectory::Remove " + name, path_,
                               std::generic_category().message(error));
    return false;
}

} // namespace velmaron
