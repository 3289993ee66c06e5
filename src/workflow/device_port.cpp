#include "workflow/device_port.h"

#include "device/version_file_access.h"
#include "workflow/cleanup.h"
#include "device/drive_watch.h"

namespace velmaron {

DrivePort::DrivePort(std::shared_ptr<DriveServices> drives,
                     std::shared_ptr<const SaveSteps> saveSteps)
    : drives_(std::move(drives)), saveSteps_(std::move(saveSteps)) {}

ScanResult DrivePort::scan() {
    return ScanForDevices(*drives_);
}

ScanResult DrivePort::findFirstDevice() {
    return FindFirstDevice(*drives_);
}

ReadResult DrivePort::readVersionFile(const std::string& root) {
    const DriveCall call(root);
    return ReadVersionFile(root);
}

bool DrivePort::deleteVersionFile(const std::string& root) {
    const DriveCall call(root);
    return DeleteVersionFile(root);
}

bool DrivePort::versionFileExists(const std::string& root) {
    const DriveCall call(root);
    return VersionFileExists(root);
}

void DrivePort::removeStaleUpdateFiles(const std::string& root) {
    const DriveCall call(root);
    RemoveStaleUpdateFiles(root);
}

SaveResult DrivePort::saveUpdateFile(const std::string& root, const std::string& fileName,
                                     std::string_view bytes) {
    const DriveCall call(root);
    return SaveUpdateFile(root, fileName, bytes, *saveSteps_);
}

void DrivePort::removeConfigFile(const std::string& root) {
    const DriveCall call(root);
    RemoveConfigFile(root);
}

} // namespace velmaron
