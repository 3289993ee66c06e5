#include "device/version_file_access.h"

#include "config/device_names.h"
#include "device/diagnostic_log.h"

namespace velmaron {

namespace {

// A version file that is not there is a state of the device, which the user is told of, not a
// failed read: logged, it would be a line at every poll.
std::string_view failureOf(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
    case ReadStatus::Missing:
        return {};
    case ReadStatus::NotRegular:
        return "NotRegular";
    case ReadStatus::TooLong:
        return "TooLong";
    case ReadStatus::Failed:
        return "Failed";
    }
    return "?";
}

} // namespace

ReadResult ReadVersionFile(const std::string& driveRoot) {
    ReadResult result = ReadDeviceFile(driveRoot, VersionFileName);
    if (const std::string_view failure = failureOf(result.status); !failure.empty())
        DiagnosticLog::Write("ReadVersionFile", driveRoot, failure);
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
