// The window's view of the device scan. The scan runs twice a second and mostly finds what it
// found before, so List1's rows change only where a line does.

#include "app/form1.h"
#include "app/list_lines.h"
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
    scanDevices();
    settleView();
}

void Form1::scanDevices() {
    ScanResult scan = velmaron::ScanForDevices(driveServices());
    DriveList = std::move(scan.driveList);
    if (scan.driveIndex) {
        DriveIndex = *scan.driveIndex;
    }
    DeviceCount = scan.deviceCount;
    // The settings read after the scan may write the rows below its lines again.
    showListLines(scan.listLines, false);
}

void Form1::showListLines(const std::vector<std::string>& lines, bool settle) {
    listLines->restart();
    for (const std::string& line : lines)
        listLines->write(QString::fromLocal8Bit(line));
    if (settle)
        listLines->finish();
}

void Form1::writeListLine(const QString& line) {
    listLines->write(line);
}

void Form1::settleView() {
    listLines->finish();
}

std::optional<std::string> Form1::deviceRoot() const {
    if (DriveIndex < 0 || static_cast<std::size_t>(DriveIndex) >= DriveList.size())
        return std::nullopt;
    return DriveList[static_cast<std::size_t>(DriveIndex)];
}

} // namespace velmaron
