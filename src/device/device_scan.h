#pragma once
// Finding the Velmarons among the drives: a removable drive with the directory
// VELMARON\CARD\ in its root is one.

#include "device/drive_services.h"

#include <optional>
#include <string>
#include <vector>

namespace velmaron {

struct ScanResult {
    // The drive roots in the system's order.
    std::vector<std::string> driveList;
    // Number of qualifying drives.
    int deviceCount = 0;
    // Index into driveList of the device's drive; nullopt when none qualifies, in which case
    // the caller keeps its previous index.
    std::optional<int> driveIndex;
    // One diagnostic line per removable drive examined: root, tab, label, tab, type text.
    std::vector<std::string> listLines;
    // The roots of the qualifying drives, in list order.
    std::vector<std::string> deviceRoots;
    bool operator==(const ScanResult&) const = default;
};

// The label of the drive at root as the diagnostic lines show it: the volume's label, or
// "(No name)   " when the volume cannot be read.
std::string VolumeLabelText(DriveServices& drives, const std::string& root);

// The poll's scan: all qualifying drives are counted and driveIndex is the last of them.
// Never throws; a drive that fails any step is skipped.
ScanResult ScanForDevices(DriveServices& drives);

// The configure command's own search: driveIndex is the FIRST qualifying drive, listLines
// hold the removable drives up to and including it, and deviceCount is 0 or 1.
ScanResult FindFirstDevice(DriveServices& drives);

} // namespace velmaron
