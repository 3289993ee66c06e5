#pragma once
// Keeping the device's UPDATES directory tidy around a configuration run. Both operations
// work through the safe access to the device's files, so they never follow a link and never
// touch anything outside the drive, and they report nothing: a file that cannot be deleted
// is left where it is.

#include <string>

namespace velmaron {

// Deletes every regular file in UPDATES whose extension is "hex" in any case, before a new
// configuration is written, so that afterwards the directory holds only the new file.
void RemoveStaleUpdateFiles(const std::string& driveRoot) noexcept;

// Deletes UPDATES\QX999000.HEX (any case) once the device has taken it over.
void RemoveConfigFile(const std::string& driveRoot) noexcept;

} // namespace velmaron
