// Every profile `profile save` makes of a generated version file loads again, and `apply`
// plans no change for that very device.

#include "cli/apply_plan.h"
#include "cli/commands.h"
#include "config/config_file.h"
#include "config/version_file.h"
#include "config/version_file_decoder.h"
#include "support/sim_drives.h"
#include "support/version_file_gen.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>
#include <sstream>

namespace velmaron::cli {
namespace {

RC_GTEST_PROP(ProfileProperties, SavedProfilesAreTakenAgain, ()) {
    const auto c = *testing::genVersionFile();
    const auto device = DecodeVersionFile(c.bytes()).reported();
    RC_PRE(device.has_value());
    testing::SimDrives sim;
    testing::writeFile(sim.addDevice('E') / "UPDATES" / "digivers.ion", c.bytes());
    std::ostringstream out, err;
    Context context{Language::English, MakeSimulatedDriveServices(sim.folder().string()), out,
                    err};
    const std::string file = (sim.folder() / "profile.json").string();
    RC_ASSERT(SaveProfile(context, file, false) == ExitOk);
    const auto profile = LoadProfile(context, file);
    RC_ASSERT(profile.has_value());
    // What a profile cannot hold is left out and told; never a date of a range that is off.
    RC_ASSERT(device->dateRangeOn || err.str().find("dateRange") == std::string::npos);
    if (!Configurable(device->deviceType, device->softwareVersion))
        return; // apply passes it by
    const ApplyPlan plan = PlanFor(*profile, *device);
    RC_ASSERT(plan.notTaken.empty());
    RC_ASSERT(plan.target == *device);
    // A device's own inverted range is the one thing the writer refuses, as the window does.
    const ConfigBuildResult built = BuildConfigFile(plan.target);
    RC_ASSERT(built.file || built.error == ConfigError::RangeInverted);
}

} // namespace
} // namespace velmaron::cli
