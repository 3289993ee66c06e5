#include "device/durable_file.h"

#include <algorithm>
#include <system_error>
#include <windows.h>

namespace velmaron {
namespace {

FileResult failure(FileStep step, DWORD error) {
    FileFault fault = FileFault::Failed;
    switch (error) {
    case ERROR_WRITE_PROTECT:
    case ERROR_ACCESS_DENIED:
        fault = FileFault::WriteProtected;
        break;
    case ERROR_NOT_READY:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_REMOVED:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_GEN_FAILURE:
        fault = FileFault::DeviceGone;
        break;
    default:
        break;
    }
    return {fault, step, std::system_category().message(static_cast<int>(error))};
}

// Writes everything, in pieces that fit the call's 32-bit count.
bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        // A file that takes no byte more has no room left; the last error tells nothing here.
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

FileResult WriteFileDurably(const DeviceDirectory& directory, const std::string& name,
                            std::string_view bytes) {
    // The directory's handle is held open without FILE_SHARE_DELETE, so its path leads to it.
    // The wide call takes the path as it is, without a lossy code page conversion.
    const HANDLE file = CreateFileW((directory.path() / name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure(FileStep::Create, GetLastError());
    if (!writeAll(file, bytes)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return failure(FileStep::Write, error);
    }
    if (!FlushFileBuffers(file)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return failure(FileStep::Flush, error);
    }
    if (!CloseHandle(file))
        return failure(FileStep::Flush, GetLastError());
    return {};
}

FileResult RenameReplacing(const DeviceDirectory& directory, const std::string& from,
                           const std::string& to) {
    if (!MoveFileExW((directory.path() / from).c_str(), (directory.path() / to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure(FileStep::Rename, GetLastError());
    return {};
}

FileResult FlushDirectory(const DeviceDirectory&) {
    // The write-through rename has already committed the entry.
    return {};
}

} // namespace velmaron
