#include "cli/drive_type_words.h"

#include "device/drive_services.h"

#include <array>
#include <string_view>

namespace velmaron::cli {

std::string DriveTypeWords(int typeCode, Language language) {
    // In the order of the type codes, as DriveTypeText.
    static constexpr std::array<std::string_view, 7> german = {
        "Unbekannt",    "Kein Stammverzeichnis", "Wechseldatenträger", "Festplatte",
        "Netzlaufwerk",  "CD/DVD-Laufwerk",      "RAM-Disk",
    };
    if (language == Language::English || typeCode < 0 ||
        typeCode >= static_cast<int>(german.size()))
        return DriveTypeText(typeCode);
    return std::string(german[static_cast<std::size_t>(typeCode)]);
}

} // namespace velmaron::cli
