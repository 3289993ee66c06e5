#pragma once
// A folder of simulated drives for tests and benchmarks, removed again at the end.

#include "config/temp_drive.h"
#include "device/drive_services.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

namespace velmaron::testing {

inline void writeFile(const std::filesystem::path& file, std::string_view content = {}) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

// Simulated drives in a temporary folder, seen through the simulated drive services.
class SimDrives {
public:
    SimDrives() : services_(MakeSimulatedDriveServices(folder_.path().string())) {}

    const std::filesystem::path& folder() const { return folder_.path(); }
    DriveServices& services() { return *services_; }

    // Creates the drive's directory (named by letter as given) and, when properties is not
    // empty, its <letter>.drive file.
    std::filesystem::path addDrive(char letter, std::string_view properties = {}) {
        const auto directory = folder() / std::string(1, letter);
        std::filesystem::create_directories(directory);
        if (!properties.empty()) {
            writeFile(folder() / (std::string(1, letter) + ".drive"), properties);
        }
        return directory;
    }

    // A removable drive that carries the marker directory.
    std::filesystem::path addDevice(char letter, std::string_view properties = {}) {
        const auto directory = addDrive(letter, properties);
        std::filesystem::create_directories(directory / "VELMARON" / "CARD");
        return directory;
    }

    std::string root(char letter) const {
        return (folder() / std::string(1, letter)).string() +
               static_cast<char>(std::filesystem::path::preferred_separator);
    }

private:
    TempDrive folder_;
    std::unique_ptr<DriveServices> services_;
};

} // namespace velmaron::testing
