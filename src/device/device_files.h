#pragma once
// Safe access to the files on a Velmaron's drive.
//
// The device is a FAT drive: names on it are compared without regard to case, so
// "UPDATES", "updates" and "Updates" are the same directory. Anyone can hand the user a
// stick, so every lookup walks from the drive root one component at a time through
// directory handles that refuse symbolic links, and every later operation (read, list,
// create, rename, delete) works relative to the handle of the directory it concerns. A
// directory swapped for a link while the tool works changes nothing: what was opened stays
// what is used, and nothing outside the drive is ever read, written or deleted. A link
// counts as missing. Files are opened without blocking and read only when the open handle
// shows a regular file, and never beyond a bound, so that a FIFO or a huge file cannot hang
// the window.

#include "config/ascii.h"
#include "config/device_names.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmaron {

enum class EntryKind { File, Directory };

// The longest file the tool reads. A device writes about a hundred bytes.
inline constexpr std::size_t MaxReadBytes = 64 * 1024;

enum class ReadStatus {
    Ok,
    Missing,    // no such entry, or a link
    NotRegular, // a directory, a FIFO, a device node
    TooLong,    // longer than the bound
    Failed,     // it could not be read
};

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string content; // one char per byte; empty unless Ok
    bool ok() const { return status == ReadStatus::Ok; }
    bool operator==(const ReadResult&) const = default;
};

// The tool's one way to read a file: opens without blocking, reads only a regular file (as
// the open handle shows it) and at most limit bytes.
ReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit = MaxReadBytes);

// The components of a path on the device, separated by '\\' or '/'; empty components drop
// out. nullopt when a component is "." or "..".
std::optional<std::vector<std::string>> SplitDevicePath(std::string_view relative);

// An open directory on the device's drive. While it is open, the directory it names cannot
// be swapped under the operations made through it.
class DeviceDirectory {
public:
    // Walks from driveRoot (trusted: it comes from the system's drive list) to relative,
    // e.g. "UPDATES"; nullopt when a step is missing, a link or not a directory.
    static std::optional<DeviceDirectory> Open(const std::string& driveRoot,
                                               std::string_view relative);

    DeviceDirectory(DeviceDirectory&& other) noexcept
        : handle_(std::exchange(other.handle_, NoHandle)), path_(std::move(other.path_)) {}
    DeviceDirectory& operator=(DeviceDirectory&& other) noexcept {
        std::swap(handle_, other.handle_);
        std::swap(path_, other.path_);
        return *this;
    }
    DeviceDirectory(const DeviceDirectory&) = delete;
    DeviceDirectory& operator=(const DeviceDirectory&) = delete;
    ~DeviceDirectory();

    // The name as listed of the entry that matches name in any case (the exact name first,
    // else the first in name order); nullopt when it is missing, a link or of the other kind.
    std::optional<std::string> Find(std::string_view name, EntryKind kind) const;
    // The regular files directly inside, by their listed names, in name order.
    std::vector<std::string> Files() const;
    // The file of that name in any case.
    ReadResult Read(std::string_view name, std::size_t limit = MaxReadBytes) const;
    // Deletes the entry of exactly that name (a link itself, never its target), also when
    // it is marked read-only; false when it stays.
    bool Remove(const std::string& name) const;

    // For the platform's own operations on the directory.
    std::intptr_t nativeHandle() const { return handle_; }
    const std::filesystem::path& path() const { return path_; }

private:
    static constexpr std::intptr_t NoHandle = -1;
    DeviceDirectory(std::intptr_t handle, std::filesystem::path path)
        : handle_(handle), path_(std::move(path)) {}
    std::intptr_t handle_ = NoHandle;
    std::filesystem::path path_;
};

// Whether the directory relative (e.g. "VELMARON\\CARD\\") is on the drive; the poll asks
// this of every removable drive, so it costs a few system calls.
bool HasDeviceDirectory(const std::string& driveRoot, std::string_view relative);

// The file at relative, e.g. "UPDATES\\digivers.ion", read as DeviceDirectory::Read does.
ReadResult ReadDeviceFile(const std::string& driveRoot, std::string_view relative);

} // namespace velmaron
