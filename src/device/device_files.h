#pragma once
// Safe access to the files on a Velmaron's drive.
//
// The device is a FAT drive: names on it are compared without regard to case, so
// "UPDATES", "updates" and "Updates" are the same directory. Every lookup here walks
// the path one component at a time from the drive root, never follows a symbolic link
// and never leaves the drive root, so that a crafted stick cannot make the tool read,
// write or delete anywhere else. A link counts as missing.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron {

enum class EntryKind { File, Directory };

// relative: components separated by '\\' or '/', for example "UPDATES\\digivers.ion" or
// "VELMARON\\CARD\\". Returns the real path of the entry when every component exists in
// some case, all but the last are directories, the last is of the given kind (a regular
// file for File), none is a link and the result lies below driveRoot.
std::optional<std::filesystem::path> FindOnDevice(const std::string& driveRoot,
                                                  std::string_view relative, EntryKind kind);

// The whole content of a regular file on the device, one char per byte; nullopt when it is
// missing, a link, or cannot be read.
std::optional<std::string> ReadDeviceFile(const std::string& driveRoot, std::string_view relative);

// The regular files (no links, no directories) directly inside a directory on the device,
// in name order; empty when the directory is missing or a link.
std::vector<std::filesystem::path> ListDeviceFiles(const std::string& driveRoot,
                                                   std::string_view relativeDir);

// The whole content of a file at a path already found, one char per byte; nullopt when it
// cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

} // namespace velmaron
