// The platform-free part of the safe access to the device's files; the walk, the reads and
// the deletions through directory handles live in one file per platform.

#include "device/device_files.h"

#include <algorithm>

namespace velmaron {
namespace {

// The directory that holds the last component of relative, and that component.
std::optional<std::pair<std::string, std::string>> splitLast(std::string_view relative) {
    auto parts = SplitDevicePath(relative);
    if (!parts || parts->empty())
        return std::nullopt;
    std::string parent;
    for (std::size_t i = 0; i + 1 < parts->size(); ++i)
        parent += (*parts)[i] + '\\';
    return std::pair{parent, parts->back()};
}

} // namespace

std::optional<std::vector<std::string>> SplitDevicePath(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    auto finish = [&]() -> bool {
        if (current == "." || current == "..")
            return false;
        if (!current.empty())
            parts.push_back(current);
        current.clear();
        return true;
    };
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!finish())
                return std::nullopt;
        } else {
            current += c;
        }
    }
    if (!finish())
        return std::nullopt;
    return parts;
}

bool HasDeviceDirectory(const std::string& driveRoot, std::string_view relative) {
    const auto split = splitLast(relative);
    if (!split)
        return SplitDevicePath(relative) && DeviceDirectory::Open(driveRoot, relative);
    const auto parent = DeviceDirectory::Open(driveRoot, split->first);
    return parent && parent->Find(split->second, EntryKind::Directory);
}

ReadResult ReadDeviceFile(const std::string& driveRoot, std::string_view relative) {
    const auto split = splitLast(relative);
    if (!split)
        return {ReadStatus::NotRegular, {}};
    const auto parent = DeviceDirectory::Open(driveRoot, split->first);
    if (!parent)
        return {};
    return parent->Read(split->second);
}

} // namespace velmaron
