#include "workflow/device_port.h"

#include "device/version_file_access.h"
#include "workflow/cleanup.h"

namespace velmaron {

ScanResult DrivePort::scan() {
    return ScanForDevices(drives_);
}

ScanResult DrivePort::findFirstDevice() {
    return FindFirstDevice(drives_);
}

ReadResult DrivePort::readVersionFile(const std::string& root) {
    return ReadVersionFile(root);
}

bool DrivePort::deleteVersionFile(const std::string& root) {
    return DeleteVersionFile(root);
}

bool DrivePort::versionFileExists(const std::string& root) {
    return VersionFileExists(root);
}

void DrivePort::removeStaleUpdateFiles(const std::string& root) {
    RemoveStaleUpdateFiles(root);
}

SaveResult DrivePort::saveUpdateFile(const std::string& root, const std::string& fileName,
                                     std::string_view bytes) {
    return SaveUpdateFile(root, fileName, bytes, saveSteps_);
}

void DrivePort::removeConfigFile(const std::string& root) {
    RemoveConfigFile(root);
}

} // namespace velmaron
