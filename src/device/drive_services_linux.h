#pragma once
// The Linux drive services, with the roots of the kernel's file systems made explicit so
// that tests can point them at fake trees.

#include "device/drive_services.h"

#include <filesystem>
#include <memory>

namespace velmaron {

struct LinuxSystemRoots {
    std::filesystem::path proc = "/proc";
    std::filesystem::path sys = "/sys";
    std::filesystem::path dev = "/dev";
};

std::unique_ptr<DriveServices> MakeLinuxDriveServices(const LinuxSystemRoots& roots);

} // namespace velmaron
