// The window's view of the device scan.

#include "app/form1.h"
#include "device/device_scan.h"

#include <QListWidget>

namespace velmaron {

void Form1::setDriveServices(std::unique_ptr<DriveServices> services) {
    drives = std::move(services);
}

DriveServices& Form1::driveServices() {
    if (!drives) {
        drives = MakeDriveServices();
    }
    return *drives;
}

void Form1::ScanForDevices() {
    ScanResult scan = velmaron::ScanForDevices(driveServices());
    DriveList = std::move(scan.driveList);
    if (scan.driveIndex) {
        DriveIndex = *scan.driveIndex;
    }
    DeviceCount = scan.deviceCount;
    showListLines(scan.listLines);
}

void Form1::showListLines(const std::vector<std::string>& lines) {
    List1->clear();
    for (const std::string& line : lines)
        List1->addItem(QString::fromLocal8Bit(line));
}

std::optional<std::string> Form1::deviceRoot() const {
    if (DriveIndex < 0 || static_cast<std::size_t>(DriveIndex) >= DriveList.size())
        return std::nullopt;
    return DriveList[static_cast<std::size_t>(DriveIndex)];
}

} // namespace velmaron
