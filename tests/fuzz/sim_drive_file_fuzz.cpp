// The properties file of a simulated drive, read by the poll of every simulated drive.

#include "device/drive_services.h"
#include "support/sim_drives.h"

#include <cstdint>

using namespace velmaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::SimDrives sim;
    static const auto drive = sim.addDrive('E');
    testing::writeFile(sim.folder() / "E.drive",
                       std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string root = sim.root('E');
    if (DriveTypeText(sim.services().DriveType(root)).empty())
        __builtin_trap();
    sim.services().VolumeName(root);
    return 0;
}
