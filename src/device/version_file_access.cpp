#include "device/version_file_access.h"

#include "config/device_names.h"

namespace velmaron {

ReadResult ReadVersionFile(const std::string& driveRoot) {
    return ReadDeviceFile(driveRoot, VersionFileName);
}

bool VersionFileExists(const std::string& driveRoot) {
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    return updates && updates->Find(VersionFileBaseName, EntryKind::File);
}

bool DeleteVersionFile(const std::string& driveRoot) {
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    const auto file = updates ? updates->Find(VersionFileBaseName, EntryKind::File) : std::nullopt;
    return file && updates->Remove(*file);
}

} // namespace velmaron
