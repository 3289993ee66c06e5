#pragma once
// The names on a Velmaron's drive that the tool and the device agree on. Paths are relative to
// the drive root and use the device's separator '\'.

#include <string>
#include <string_view>

namespace velmaron {

// A removable drive with this directory in its root is a Velmaron.
inline constexpr std::string_view MarkerDirectoryName = "VELMARON\\CARD\\";

// The directory in which the device and the tool exchange files.
inline constexpr std::string_view UpdatesDirectoryName = "UPDATES";

// The version file, which the device writes whenever it is plugged in.
inline constexpr std::string_view VersionFileBaseName = "digivers.ion";
inline constexpr std::string_view VersionFileName = "UPDATES\\digivers.ion";
static_assert(VersionFileName.starts_with(UpdatesDirectoryName) &&
              VersionFileName.ends_with(VersionFileBaseName));

// The configuration file's name inside UPDATES: "QX999000.HEX" or "CR999000.HEX".
inline std::string ConfigFileName(std::string_view deviceType) {
    return std::string(deviceType) + "999000.HEX";
}

} // namespace velmaron
