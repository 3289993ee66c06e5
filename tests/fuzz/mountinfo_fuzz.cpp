// The mount table as the Linux drive services parse it: whatever comes in, usable drive roots.

#include "device/mount_table.h"

#include <cstdint>
#include <set>

using namespace velmaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto mounts = ParseMountInfo(std::string_view(reinterpret_cast<const char*>(data), size));
    std::set<std::string_view> roots, volumes;
    for (const Mount& mount : mounts) {
        // A root ends in '/', names one drive only, and a volume is listed once.
        if (mount.root.empty() || mount.root.back() != '/' || !roots.insert(mount.root).second)
            __builtin_trap();
        if (!mount.remote &&
            (mount.device.starts_with("0:") || !volumes.insert(mount.device).second))
            __builtin_trap();
    }
    return 0;
}
