#pragma once
// Reading and deleting the device's version file, through the safe access to its files.

#include "device/device_files.h"

#include <string>

namespace velmaron {

// The whole file, one char per byte, when UPDATES and the file are there in any case, are
// no links and the file is regular. A file longer than any device writes is TooLong and
// counts as broken.
ReadResult ReadVersionFile(const std::string& driveRoot);
// Whether the file is there; the deletion of a broken file waits until it is gone.
bool VersionFileExists(const std::string& driveRoot);
// Deletes the file, also when it is marked read-only; false when it stays.
bool DeleteVersionFile(const std::string& driveRoot);

} // namespace velmaron
