#include "device/device_scan.h"

#include "device/device_files.h"
#include "device/diagnostic_log.h"
#include "device/drive_watch.h"

#include <string_view>

namespace velmaron {
namespace {

// The label shown for a volume that cannot be read (no medium, drive gone): nine characters
// and three blanks.
constexpr std::string_view NoVolumeName = "(No name)   ";

enum class Stop { AtFirstDevice, Never };

// Whether the drive at root is a removable drive carrying the marker directory; appends its
// diagnostic line when it is removable.
bool examineDrive(DriveServices& drives, const std::string& root, std::vector<std::string>& lines) {
    NoteDrive(root);
    // Only the removable kind has the text "Removable drive".
    const DriveKind kind = drives.DriveType(root);
    if (kind != DriveKind::Removable) {
        return false;
    }
    lines.push_back(root + '\t' + VolumeLabelText(drives, root) + '\t' + DriveTypeText(kind));
    // A drive that is not ready simply has no marker directory.
    return HasDeviceDirectory(root, MarkerDirectoryName);
}

ScanResult scan(DriveServices& drives, Stop stop) {
    ScanResult result;
    try {
        result.driveList = drives.GetDriveList();
    } catch (...) {
        DiagnosticLog::WriteCaught("GetDriveList", std::string_view());
        return result;
    }
    for (std::size_t i = 0; i < result.driveList.size(); ++i) {
        try {
            if (!examineDrive(drives, result.driveList[i], result.listLines)) {
                continue;
            }
        } catch (...) {
            DiagnosticLog::WriteCaught("examineDrive", result.driveList[i]);
            continue;
        }
        ++result.deviceCount;
        result.driveIndex = static_cast<int>(i);
        result.deviceRoots.push_back(result.driveList[i]);
        if (stop == Stop::AtFirstDevice) {
            break;
        }
    }
    return result;
}

} // namespace

std::string VolumeLabelText(DriveServices& drives, const std::string& root) {
    return drives.VolumeName(root).value_or(std::string(NoVolumeName));
}

ScanResult ScanForDevices(DriveServices& drives) {
    return scan(drives, Stop::Never);
}

ScanResult FindFirstDevice(DriveServices& drives) {
    return scan(drives, Stop::AtFirstDevice);
}

} // namespace velmaron
