// Drive services on Windows, through the 8-bit calls, so paths and labels pass through the
// system code page.

#include "device/drive_services.h"

#include <string_view>
#include <windows.h>

namespace velmaron {
namespace {

// 26 roots of four characters and the final NUL.
constexpr DWORD DriveListLength = 105;
constexpr DWORD NameBufferLength = 255;

// The roots in GetLogicalDriveStringsA's buffer, each ended by a NUL.
std::vector<std::string> splitAtNuls(std::string_view buffer) {
    std::vector<std::string> roots;
    std::size_t start = 0;
    while (start < buffer.size()) {
        std::size_t end = buffer.find('\0', start);
        if (end == std::string_view::npos) {
            end = buffer.size();
        }
        if (end > start) {
            roots.emplace_back(buffer.substr(start, end - start));
        }
        start = end + 1;
    }
    return roots;
}

DriveKind kindOf(UINT type) {
    switch (type) {
    case DRIVE_NO_ROOT_DIR:
        return DriveKind::NoRootDir;
    case DRIVE_REMOVABLE:
        return DriveKind::Removable;
    case DRIVE_FIXED:
        return DriveKind::Fixed;
    case DRIVE_REMOTE:
        return DriveKind::Remote;
    case DRIVE_CDROM:
        return DriveKind::Cdrom;
    case DRIVE_RAMDISK:
        return DriveKind::RamDisk;
    default:
        return DriveKind::Unknown;
    }
}

// E and E: name the root E:\.
std::string completeShortForm(const std::string& drive) {
    if (drive.size() == 1) {
        return drive + ":\\";
    }
    if (drive.size() == 2 && drive[1] == ':') {
        return drive + '\\';
    }
    return drive;
}

class WindowsDriveServices final : public DriveServices {
public:
    WindowsDriveServices() {
        // An empty card reader must not make Windows ask for a disk on every poll.
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    }

    std::vector<std::string> GetDriveList() override {
        std::string buffer(DriveListLength, '\0');
        const DWORD length = GetLogicalDriveStringsA(DriveListLength, buffer.data());
        // A result larger than the buffer means it was too small and holds nothing useful.
        if (length == 0 || length > DriveListLength) {
            return {};
        }
        buffer.resize(length);
        return splitAtNuls(buffer);
    }

    DriveKind DriveType(const std::string& root) override {
        return kindOf(GetDriveTypeA(root.c_str()));
    }

    std::optional<std::string> VolumeName(const std::string& root) override {
        const std::string drive = completeShortForm(root);
        std::string label(NameBufferLength, ' ');
        std::string fileSystem(NameBufferLength, ' ');
        DWORD serial = 0;
        DWORD maximumComponentLength = 0;
        DWORD flags = 0;
        if (!GetVolumeInformationA(drive.c_str(), label.data(), NameBufferLength, &serial,
                                   &maximumComponentLength, &flags, fileSystem.data(),
                                   NameBufferLength)) {
            return std::nullopt;
        }
        return label.substr(0, label.find('\0'));
    }
};

} // namespace

std::unique_ptr<DriveServices> MakePlatformDriveServices() {
    return std::make_unique<WindowsDriveServices>();
}

} // namespace velmaron
