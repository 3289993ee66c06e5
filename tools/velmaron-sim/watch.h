#pragma once
// The emulator's interactive mode: keys pull and plug the device, break its version file and
// add a second device, and every change the program makes on a device is told as it happens.

#include "sim_drive.h"

namespace velmaron::sim {

// Runs until 'q' or the end of the input; the exit code.
int Watch(const SimFolder& folder);

} // namespace velmaron::sim
