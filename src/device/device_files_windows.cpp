// Safe access to the device's files on Windows: every step of a walk opens the directory
// itself (FILE_FLAG_OPEN_REPARSE_POINT) and refuses a reparse point, and the directory at the
// end stays open without FILE_SHARE_DELETE, so that it cannot be renamed, deleted or swapped
// for a link while the files in it are read, created, renamed and deleted by their paths.

#include "device/device_files.h"
#include "device/diagnostic_log.h"

#include <algorithm>
#include <system_error>
#include <windows.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

HANDLE asHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle) {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = handle;
    }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

bool isReparsePoint(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The entry itself, never what a reparse point leads to; a directory only when asked for.
Handle openEntry(const fs::path& path, DWORD access, DWORD share, bool directory) {
    const DWORD flags = FILE_FLAG_OPEN_REPARSE_POINT | (directory ? FILE_FLAG_BACKUP_SEMANTICS : 0);
    Handle handle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !GetFileInformationByHandle(handle.get(), &info) ||
        isReparsePoint(info.dwFileAttributes) ||
        ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != directory)
        return Handle(INVALID_HANDLE_VALUE);
    return handle;
}

// Calls visit(name, attributes) for every entry that matches pattern ("*" for all) but "."
// and "..", with the name as listed.
template <class Visit>
void listEntries(const fs::path& directory, const fs::path& pattern, Visit visit) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((directory / pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            try {
                visit(fs::path(name).string(), found.dwFileAttributes);
            } catch (...) {
                // A name outside the code page is none of the device's.
                DiagnosticLog::WriteCaughtIn("listEntries", directory);
            }
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The name as listed of the entry that matches name (the system compares without regard to
// case), when it is of the kind and no reparse point. No wildcard may pass as a name.
std::optional<std::string> listedName(const fs::path& directory, std::string_view name,
                                      EntryKind kind) {
    if (name.find_first_of("*?") != std::string_view::npos)
        return std::nullopt;
    std::optional<std::string> listed;
    listEntries(directory, fs::path(std::string(name)), [&](std::string found, DWORD attributes) {
        if (!isReparsePoint(attributes) &&
            ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == (kind == EntryKind::Directory))
            listed = std::move(found);
    });
    return listed;
}

} // namespace

ReadResult ReadRegularFile(const fs::path& path, std::size_t limit) {
    Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool directory =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return {directory ? ReadStatus::NotRegular : ReadStatus::Missing, {}};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    // A pipe or a console is no file on a disk; neither is a directory or a link.
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) || isReparsePoint(info.dwFileAttributes) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {ReadStatus::NotRegular, {}};
    if (info.nFileSizeHigh != 0 || info.nFileSizeLow > limit)
        return {ReadStatus::TooLong, {}};
    ReadResult result{ReadStatus::Ok, {}};
    // One byte beyond the size tells a file that grew since; it may grow up to the bound, and
    // one byte beyond the bound tells a file that is too long.
    result.content.resize(std::size_t{info.nFileSizeLow} + 1);
    std::size_t filled = 0;
    DWORD count = 0;
    for (;;) {
        if (filled == result.content.size())
            result.content.resize(std::min(result.content.size() * 2, limit + 1));
        if (filled == limit + 1)
            return {ReadStatus::TooLong, {}};
        if (!ReadFile(file.get(), result.content.data() + filled,
                      static_cast<DWORD>(result.content.size() - filled), &count, nullptr))
            return {ReadStatus::Failed, {}};
        if (count == 0)
            break;
        filled += count;
    }
    result.content.resize(filled);
    return result;
}

std::optional<DeviceDirectory> DeviceDirectory::Open(const std::string& driveRoot,
                                                     std::string_view relative) {
    const auto parts = SplitDevicePath(relative);
    if (!parts)
        return std::nullopt;
    try {
        fs::path path(driveRoot);
        // The root is the drive's own; only the steps below it can be links.
        Handle current(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        for (const std::string& part : *parts) {
            const auto listed =
                current ? listedName(path, part, EntryKind::Directory) : std::nullopt;
            if (!listed)
                return std::nullopt;
            path /= *listed;
            current =
                openEntry(path, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, true);
        }
        if (!current)
            return std::nullopt;
        return DeviceDirectory(reinterpret_cast<std::intptr_t>(current.release()), path);
    } catch (...) {
        DiagnosticLog::WriteCaught("DeviceDirectory::Open", driveRoot);
        return std::nullopt;
    }
}

DeviceDirectory::~DeviceDirectory() {
    if (handle_ != NoHandle)
        CloseHandle(asHandle(handle_));
}

std::optional<std::string> DeviceDirectory::Find(std::string_view name, EntryKind kind) const {
    try {
        return listedName(path_, name, kind);
    } catch (...) {
        DiagnosticLog::WriteCaughtIn("DeviceDirectory::Find", path_);
        return std::nullopt;
    }
}

std::vector<std::string> DeviceDirectory::Files() const {
    std::vector<std::string> files;
    listEntries(path_, L"*", [&](std::string name, DWORD attributes) {
        if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0)
            files.push_back(std::move(name));
    });
    std::sort(files.begin(), files.end());
    return files;
}

ReadResult DeviceDirectory::Read(std::string_view name, std::size_t limit) const {
    try {
        return ReadRegularFile(path_ / std::string(name), limit);
    } catch (...) {
        DiagnosticLog::WriteCaughtIn("DeviceDirectory::Read", path_);
        return {ReadStatus::Missing, {}};
    }
}

bool DeviceDirectory::Remove(const std::string& name) const {
    try {
        const fs::path file = path_ / name;
        const DWORD attributes = GetFileAttributesW(file.c_str());
        // The device's file system keeps a read-only attribute that refuses the deletion.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileW(file.c_str()))
            return true;
        // A file that is not there is no failure: clean-ups remove what may not have been made.
        if (const DWORD error = GetLastError();
            error != ERROR_FILE_NOT_FOUND && DiagnosticLog::On())
            DiagnosticLog::WriteIn("DeviceDirectory::Remove " + name, path_,
                                   std::system_category().message(static_cast<int>(error)));
        return false;
    } catch (...) {
        DiagnosticLog::WriteCaughtIn("DeviceDirectory::Remove", path_);
        return false;
    }
}

} // namespace velmaron
