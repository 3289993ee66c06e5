#include "device/durable_file.h"
#include "device/posix_write.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velmaron {
namespace {

FileResult failure(FileStep step, int error) {
    FileFault fault = FileFault::Failed;
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
        fault = FileFault::WriteProtected;
        break;
    case ENODEV:
    case ENXIO:
    case EIO:
        fault = FileFault::DeviceGone;
        break;
    default:
        break;
    }
    return {fault, step, std::generic_category().message(error)};
}

int directoryOf(const DeviceDirectory& directory) {
    return static_cast<int>(directory.nativeHandle());
}

} // namespace

int WriteAll(int fd, std::string_view bytes, WriteCall write) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        // A file that takes no byte more has no room left; errno tells nothing here.
        if (written == 0)
            return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

FileResult WriteFileDurably(const DeviceDirectory& directory, const std::string& name,
                            std::string_view bytes) {
    const int fd = ::openat(directoryOf(directory), name.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure(FileStep::Create, errno);
    if (const int error = WriteAll(fd, bytes, ::write); error != 0) {
        ::close(fd);
        return failure(FileStep::Write, error);
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(FileStep::Flush, error);
    }
    // close can report a write error that only showed on the way to the medium.
    if (::close(fd) != 0)
        return failure(FileStep::Flush, errno);
    return {};
}

FileResult RenameReplacing(const DeviceDirectory& directory, const std::string& from,
                           const std::string& to) {
    const int fd = directoryOf(directory);
    if (::renameat(fd, from.c_str(), fd, to.c_str()) != 0)
        return failure(FileStep::Rename, errno);
    return {};
}

FileResult FlushDirectory(const DeviceDirectory& directory) {
    if (::fsync(directoryOf(directory)) == 0)
        return {};
    const int error = errno;
    // Some file systems cannot flush a directory; their entries are then as safe as it gets.
    if (error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP)
        return {};
    return failure(FileStep::FlushDirectory, error);
}

ReadResult ReadFromMedium(const DeviceDirectory& directory, const std::string& name) {
    const int fd = ::openat(directoryOf(directory), name.c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {ReadStatus::Missing, {}};
    // The pages of a write stay cached after the flush, and a read would be served from them
    // whatever the stick kept. Only clean pages can be dropped: the flush comes first. The
    // cache is the file's, not the descriptor's, so the read that follows comes from the
    // medium.
    const bool dropped =
        ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    if (!dropped)
        return {ReadStatus::Failed, {}};
    return directory.Read(name);
}

} // namespace velmaron
