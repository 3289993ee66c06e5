#pragma once
// What a profile makes of one device: the settings the window would write after the user had
// entered the profile's values on this device, with the options its software version offers
// and the window's interlocks, and what of the profile the device cannot take.

#include "cli/profile.h"
#include "config/device_settings.h"

#include <string>
#include <vector>

namespace velmaron::cli {

struct ApplyPlan {
    DeviceSettings target;            // starts from what the device holds
    std::vector<KeyProblem> notTaken; // what of the profile the device does not take
};

// For a standard (QX) device that reported these settings.
ApplyPlan PlanFor(const Profile& profile, const DeviceSettings& device);

} // namespace velmaron::cli
