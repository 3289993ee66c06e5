#include "device/drive_services.h"

#include <array>
#include <cstdlib>

namespace velmaron {

std::string DriveTypeText(int typeCode) {
    // The scan selects drives by comparing with "Removable drive", so these texts are part
    // of the interface, not only of the display.
    static constexpr std::array<std::string_view, 7> texts = {
        "The drive type cannot be determined",
        "The root directory does not exist",
        "Removable drive",
        "Hard drive; can not be removed",
        "Remote (network) drive",
        "Optical drive (CD or DVD)",
        "RAM disk",
    };
    if (typeCode < 0 || typeCode >= static_cast<int>(texts.size())) {
        return {};
    }
    return std::string(texts[static_cast<std::size_t>(typeCode)]);
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
