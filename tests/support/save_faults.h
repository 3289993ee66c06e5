#pragma once
// Saves that fail at one step, as on a device that refuses or breaks off.

#include "device/durable_file.h"
#include "device/durable_save.h"

#include <optional>
#include <string>

namespace velmaron::testing {

// A failing write first leaves `left` in the file (nothing when nullopt), as a real one would.
inline SaveSteps failAt(FileStep step, FileFault fault, std::optional<std::string> left = {}) {
    using Dir = const DeviceDirectory&;
    using Name = const std::string&;
    const FileResult failure{fault, step, "injected"};
    SaveSteps steps;
    if (step == FileStep::Rename) {
        steps.replace = [=](Dir, Name, Name) { return failure; };
    } else if (step == FileStep::FlushDirectory) {
        steps.flushDirectory = [=](Dir) { return failure; };
    } else {
        steps.writeDurably = [=](Dir dir, Name name, std::string_view) {
            if (left)
                WriteFileDurably(dir, name, *left);
            return failure;
        };
    }
    return steps;
}

} // namespace velmaron::testing
