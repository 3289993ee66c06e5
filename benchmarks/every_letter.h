#pragma once
// The busiest machine the simulated drives can stand for: every letter taken by a removable
// stick, two of them Velmarons, or by a fixed, optical or network drive.

#include "support/sim_drives.h"

namespace velmaron::bench {

inline void takeEveryLetter(testing::SimDrives& sim) {
    const char* types[] = {"type=removable\nlabel=STICK\n", "type=fixed\n", "type=cdrom\n",
                           "type=remote\n", ""};
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char* properties = types[(letter - 'A') % 5];
        if (letter == 'E' || letter == 'J')
            sim.addDevice(letter, properties);
        else
            sim.addDrive(letter, properties);
    }
}

} // namespace velmaron::bench
