#include "device/durable_file.h"

#include "device/diagnostic_log.h"

#include <algorithm>
#include <memory>
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

// Reads that bypass the system's cache take offsets, lengths and a buffer address that are
// multiples of the volume's sector size. Sector sizes are powers of two, so a page (4096) is a
// multiple of every smaller one and serves a volume that does not tell its own.
DWORD unbufferedUnit(const std::filesystem::path& file) {
    DWORD unit = 4096;
    wchar_t volume[MAX_PATH];
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetVolumePathNameW(file.c_str(), volume, MAX_PATH) &&
        GetDiskFreeSpaceW(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        unit = std::max(unit, bytesPerSector);
    return unit;
}

struct PagesRelease {
    void operator()(void* pages) const { VirtualFree(pages, 0, MEM_RELEASE); }
};

ReadResult readUnbuffered(HANDLE file, DWORD unit) {
    BY_HANDLE_FILE_INFORMATION info{};
    // A pipe or a console is no file on a disk; neither is a directory or a link.
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return {ReadStatus::NotRegular, {}};
    if (info.nFileSizeHigh != 0 || info.nFileSizeLow > MaxReadBytes)
        return {ReadStatus::TooLong, {}};
    // Whole units, one byte more than the size at least: a file that grew since shows longer.
    const DWORD length = (info.nFileSizeLow / unit + 1) * unit;
    // Whole pages, so the address is aligned for any sector size up to a page.
    const std::unique_ptr<void, PagesRelease> pages(
        VirtualAlloc(nullptr, length, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD count = 0;
    // A file on a disk reads whole in one call: it ends where the read comes short.
    if (!pages || !ReadFile(file, pages.get(), length, &count, nullptr))
        return {ReadStatus::Failed, {}};
    if (count > MaxReadBytes)
        return {ReadStatus::TooLong, {}};
    return {ReadStatus::Ok, std::string(static_cast<const char*>(pages.get()), count)};
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

ReadResult ReadFromMedium(const DeviceDirectory& directory, const std::string& name) {
    std::filesystem::path path;
    try {
        path = directory.path() / name;
    } catch (...) {
        DiagnosticLog::WriteCaughtIn("ReadFromMedium", directory.path());
        return {ReadStatus::Missing, {}}; // a name outside the code page is none of ours
    }
    // A handle of its own without the system's cache, by the path that the directory's open
    // handle keeps leading to it; a reparse point is opened itself and refused.
    const HANDLE file = CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_NO_BUFFERING, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {ReadStatus::Missing, {}};
    ReadResult result = readUnbuffered(file, unbufferedUnit(path));
    CloseHandle(file);
    return result;
}

} // namespace velmaron
