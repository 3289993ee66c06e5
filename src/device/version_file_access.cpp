#include "device/version_file_access.h"

#include "config/device_names.h"
#include "device/diagnostic_log.h"

namespace velmaron {

namespace {

constexpr std::string_view ReadStatusNames[] = {"Ok", "Missing", "NotRegular", "TooLong", "Failed"};

} // namespace

ReadResult ReadVersionFile(const std::string& driveRoot) {
    ReadResult result = ReadDeviceFile(driveRoot, VersionFileName);
    if (!result.ok())
        DiagnosticLog::Write("ReadVersionFile", driveRoot,
                             ReadStatusNames[static_cast<std::size_t>(result.status)]);
    return result;
}

bool VersionFileExists(const std::string& driveRoot) {
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    return updates && updates->Find(VersionFileBaseName, EntryKind::File);
}

bool DeleteVersionFile(const std::string& driveRoot) {
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    const auto file = updates ? updates->Find(VersionFileBaseName, EntryKind::File) : std::nullopt;
    if (file && updates->Remove(*file))
        return true;
    DiagnosticLog::Write("DeleteVersionFile", driveRoot,
                         !updates ? "no UPDATES"
                         : !file  ? "no such file"
                                  : "refused");
    return false;
}

} // namespace velmaron
