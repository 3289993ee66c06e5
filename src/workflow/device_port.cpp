#include "workflow/device_port.h"

#include "device/cleanup.h"
#include "device/drive_watch.h"
#include "device/version_file_access.h"

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
    NoteDrive(root);
    return ReadVersionFile(root);
}

bool DrivePort::deleteVersionFile(const std::string& root) {
    NoteDrive(root);
    return DeleteVersionFile(root);
}

bool DrivePort::versionFileExists(const std::string& root) {
    NoteDrive(root);
    return VersionFileExists(root);
}

void DrivePort::removeStaleUpdateFiles(const std::string& root) {
    NoteDrive(root);
    RemoveStaleUpdateFiles(root);
}

SaveResult DrivePort::saveUpdateFile(const std::string& root, const std::string& fileName,
                                     std::string_view bytes) {
    NoteDrive(root);
    return SaveUpdateFile(root, fileName, bytes, *saveSteps_);
}

void DrivePort::removeConfigFile(const std::string& root) {
    NoteDrive(root);
    RemoveConfigFile(root);
}

} // namespace velmaron
