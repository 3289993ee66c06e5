#pragma once
// A folder of simulated drives for tests and benchmarks, removed again at the end.

#include "device/drive_services.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace velmaron::testing {

// A fresh, empty directory below the system's temporary directory, deleted with its
// content when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("velmaron-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The folder as a drive root: its path with a trailing separator.
    std::string root() const {
        return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& file, std::string_view content = {}) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

// Whether a symbolic link could be made (not everywhere under wine).
inline bool tryCreateSymlink(const std::filesystem::path& target,
                             const std::filesystem::path& link) {
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) {
        std::filesystem::create_directory_symlink(target, link, error);
    } else {
        std::filesystem::create_symlink(target, link, error);
    }
    return !error && std::filesystem::is_symlink(link, error);
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
    TempFolder folder_;
    std::unique_ptr<DriveServices> services_;
};

} // namespace velmaron::testing
