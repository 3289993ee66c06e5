#pragma once
// What the workflow knows between two of its steps: where the state machine stands, what the
// last scan or the configure command's search found, and the device's version file as last read
// with what the reads made of it. The workflow keeps the one copy; front ends read it.

#include "workflow/workflow_view.h"

#include <optional>
#include <string>
#include <vector>

namespace velmaron {

struct WorkflowFacts {
    WorkflowStates state = WaitForDevice;
    // The drives in the system's order, and the device's among them; the index stays when a
    // scan finds no device.
    std::vector<std::string> driveList;
    int driveIndex = 0;
    int deviceCount = 0;
    // The whole version file; its first two characters name the device type.
    std::string versionText;
    // 0 until a header is read; an unexpected type keeps the previous one.
    int softwareVersion = 0;
    // The configuration byte as last read, or as the configure command rebuilt it, and whether
    // its bit 1 stays clear: the next configuration starts from them.
    int configByte = 0;
    bool keepBit1 = false;

    // What a decoded read of the version file leaves for the next one and the configure command.
    void take(const VersionFileRead& read);

    // driveList[driveIndex]; nullopt when the index lies outside.
    std::optional<std::string> deviceRoot() const {
        if (driveIndex < 0 || static_cast<std::size_t>(driveIndex) >= driveList.size())
            return std::nullopt;
        return driveList[static_cast<std::size_t>(driveIndex)];
    }
};

} // namespace velmaron
