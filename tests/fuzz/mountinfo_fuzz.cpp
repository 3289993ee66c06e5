// The system's list of mounted file systems, as the Linux drive services read it on every poll.

#include "device/device_scan.h"
#include "device/drive_services_linux.h"
#include "support/sim_drives.h"

#include <cstdint>

using namespace velmaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TempDrive tree;
    static const LinuxSystemRoots roots{tree.mkdir("proc"), tree.mkdir("sys"), tree.mkdir("dev")};
    testing::writeFile(roots.proc / "self" / "mountinfo",
                       std::string_view(reinterpret_cast<const char*>(data), size));
    const auto drives = MakeLinuxDriveServices(roots);
    for (std::string root : SplitDriveList(drives->GetDriveList())) {
        const int type = drives->DriveType(root);
        if (type < kDriveUnknown || type > kDriveRamDisk)
            __builtin_trap();
        drives->VolumeName(root);
    }
    return 0;
}
