#pragma once
// The commands that look at the drives and at one device: list, show and the profiles.

#include "cli/context.h"
#include "cli/device_reading.h"

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
// What is wrong with a device's status file, for the user; empty when its settings were read.
std::string ReadProblemText(const Context& context, const DeviceRead& read);

// Reads a whole file of at most a profile's size; nullopt, with the message said, otherwise.
std::optional<std::string> ReadProfileFile(Context& context, const std::string& file);

} // namespace velmaron::cli
