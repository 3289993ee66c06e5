#pragma once
// The fleet run: one device after another, each written with a profile's settings as the
// window would write them for that device, and led through pulling and plugging its cable.

#include "cli/context.h"
#include "cli/profile.h"
#include "workflow/workflow.h"

#include <chrono>
#include <istream>
#include <optional>
#include <string>

namespace velmaron::cli {

struct FleetOptions {
    Profile profile;
    std::optional<int> count;              // stop after this many devices
    bool yes = false;                      // configure without asking
    std::optional<std::string> reportFile; // CSV report
    std::chrono::milliseconds pollInterval = PollInterval;
};

// Runs until count devices are done, or until Ctrl+C; answers holds the user's replies.
int RunFleet(Context& context, const FleetOptions& options, std::istream& answers);

} // namespace velmaron::cli
