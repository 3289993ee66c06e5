#include "device/drive_services.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace velmaron {

std::string DriveTypeText(DriveKind kind) {
    // In the order of DriveKind. The diagnostic lines show these texts, so they are part of
    // the interface, not only of the display.
    static constexpr auto texts = std::to_array<std::string_view>({
        "The drive type cannot be determined",
        "The root directory does not exist",
        "Removable drive",
        "Hard drive; can not be removed",
        "Remote (network) drive",
        "Optical drive (CD or DVD)",
        "RAM disk",
    });
    const auto index = static_cast<std::size_t>(kind);
    if (index >= texts.size()) {
        return {};
    }
    return std::string(texts[index]);
}

std::unique_ptr<DriveServices> MakeDriveServices() {
    // An empty value counts as unset, so that "VELMARON_SIM_DRIVES= program" runs on the
    // real drives.
    const char* folder = std::getenv("VELMARON_SIM_DRIVES");
    if (folder != nullptr && *folder != '\0') {
        return MakeSimulatedDriveServices(folder);
    }
    return MakePlatformDriveServices();
}

} // namespace velmaron
