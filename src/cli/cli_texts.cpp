#include "cli/cli_texts.h"

namespace velmaron::cli {

std::string DriveTypeWords(DriveKind kind, Language language) {
    if (language == Language::English)
        return DriveTypeText(kind);
    switch (kind) {
    case DriveKind::Unknown:
        return "Unbekannt";
    case DriveKind::NoRootDir:
        return "Kein Stammverzeichnis";
    case DriveKind::Removable:
        return "Wechseldatenträger";
    case DriveKind::Fixed:
        return "Festplatte";
    case DriveKind::Remote:
        return "Netzlaufwerk";
    case DriveKind::Cdrom:
        return "CD/DVD-Laufwerk";
    case DriveKind::RamDisk:
        return "RAM-Disk";
    }
    return {};
}

} // namespace velmaron::cli
