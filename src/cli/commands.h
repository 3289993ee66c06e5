#pragma once
// The commands that look at the drives and at one device: list, show and the profiles.

#include "cli/context.h"
#include "cli/device_reading.h"
#include "cli/profile.h"

#include <optional>
#include <string>

namespace velmaron::cli {

int ListDrives(Context& context, bool json);
int ShowDevice(Context& context, bool json);
// Saves the connected device's settings as a profile; "-" writes to the output.
int SaveProfile(Context& context, const std::string& file, bool overwrite);
int CheckProfile(Context& context, const std::string& file);

// "QX, Software 54".
std::string DeviceLine(const Context& context, const DeviceRead& read);
// What is wrong with a device's version file, for the user; empty when its settings were read.
std::string ReadProblemText(const Context& context, const DeviceRead& read);

// A profile file read and parsed; nullopt, with the reason said, when it cannot be read or is
// refused.
std::optional<Profile> LoadProfile(Context& context, const std::string& file);

// The drive's volume label, as the search reads it.
std::string DriveLabel(Context& context, std::string root);
// Writes the whole file; false, with the message said, when that fails.
bool WriteTextFile(Context& context, const std::string& file, const std::string& text);

} // namespace velmaron::cli
