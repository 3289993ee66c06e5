// Drive services on Windows, through the 8-bit calls, so paths and labels pass through the
// system code page.

#include "device/drive_services.h"

#include <array>
#include <windows.h>

namespace velmaron {
namespace {

// 26 roots of four characters and the final NUL.
constexpr DWORD kDriveListLength = 105;
constexpr DWORD kNameBufferLength = 255;

class WindowsDriveServices final : public DriveServices {
public:
    WindowsDriveServices() {
        // An empty card reader must not make Windows ask for a disk on every poll.
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    }

    std::string GetDriveList() override {
        std::string buffer(kDriveListLength, ' ');
        const DWORD length = GetLogicalDriveStringsA(kDriveListLength, buffer.data());
        // A result larger than the buffer means it was too small and holds nothing useful.
        if (length == 0 || length > kDriveListLength) {
            return {};
        }
        const auto first = buffer.find_first_not_of(' ');
        if (first == std::string::npos) {
            return {};
        }
        return buffer.substr(first, buffer.find_last_not_of(' ') - first + 1);
    }

    int DriveType(const std::string& root) override {
        return static_cast<int>(GetDriveTypeA(root.c_str()));
    }

    std::string VolumeName(std::string& drive) override {
        if (drive.size() == 1) {
            drive += ":\\";
        } else if (drive.size() == 2 && drive[1] == ':') {
            drive += '\\';
        }
        std::string label(kNameBufferLength, ' ');
        std::string fileSystem(kNameBufferLength, ' ');
        DWORD serial = 0;
        DWORD maximumComponentLength = 0;
        DWORD flags = 0;
        if (!GetVolumeInformationA(drive.c_str(), label.data(), kNameBufferLength, &serial,
                                   &maximumComponentLength, &flags, fileSystem.data(),
                                   kNameBufferLength)) {
            return std::string(kNoVolumeName);
        }
        return label.substr(0, label.find('\0'));
    }
};

} // namespace

std::unique_ptr<DriveServices> MakePlatformDriveServices() {
    return std::make_unique<WindowsDriveServices>();
}

} // namespace velmaron
