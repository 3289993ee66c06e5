#include "device/durable_file.h"

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

// Writes everything, going on after partial writes and interrupted calls.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

FileResult WriteFileDurably(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure(FileStep::Create, errno);
    if (!writeAll(fd, bytes)) {
        const int error = errno != 0 ? errno : EIO;
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

FileResult RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return failure(FileStep::Rename, errno);
    return {};
}

FileResult FlushDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failure(FileStep::FlushDirectory, errno);
    int error = 0;
    if (::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    // Some file systems cannot flush a directory; their entries are then as safe as it gets.
    if (error != 0 && error != EINVAL && error != ENOTSUP && error != EOPNOTSUPP)
        return failure(FileStep::FlushDirectory, error);
    return {};
}

} // namespace velmaron
