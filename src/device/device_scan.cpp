#include "device/device_scan.h"

#include "device/device_files.h"
#include "device/drive_watch.h"

namespace velmaron {
namespace {

enum class Stop { AtFirstDevice, Never };

// Whether the drive at root is a removable drive carrying the marker directory; appends its
// diagnostic line when it is removable.
bool examineDrive(DriveServices& drives, std::string& root, std::vector<std::string>& lines) {
    const DriveCall call(root);
    // Only the removable type maps to "Removable drive".
    const int type = drives.DriveType(root);
    if (type != kDriveRemovable) {
        return false;
    }
    const std::string typeText = DriveTypeText(type);
    const std::string label = drives.VolumeName(root);
    lines.push_back(root + '\t' + label + '\t' + typeText);
    // A drive that is not ready simply has no marker directory.
    return HasDeviceDirectory(root, MarkerDirectoryName);
}

ScanResult scan(DriveServices& drives, Stop stop) {
    ScanResult result;
    try {
        result.driveList = SplitDriveList(drives.GetDriveList());
    } catch (...) {
        return result;
    }
    for (std::size_t i = 0; i < result.driveList.size(); ++i) {
        try {
            if (!examineDrive(drives, result.driveList[i], result.listLines)) {
                continue;
            }
        } catch (...) {
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

std::vector<std::string> SplitDriveList(const std::string& driveListString) {
    std::vector<std::string> roots;
    std::size_t start = 0;
    while (start < driveListString.size()) {
        const std::size_t end = driveListString.find('\0', start);
        const std::size_t stop = end == std::string::npos ? driveListString.size() : end;
        if (stop > start) {
            roots.push_back(driveListString.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return roots;
}

ScanResult ScanForDevices(DriveServices& drives) {
    return scan(drives, Stop::Never);
}

ScanResult FindFirstDevice(DriveServices& drives) {
    return scan(drives, Stop::AtFirstDevice);
}

} // namespace velmaron
