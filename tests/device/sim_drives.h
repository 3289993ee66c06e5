#pragma once
// Folders that stand in for drives in tests and benchmarks, removed again at the end: a bare
// drive root, and a folder of simulated drives seen through the simulated drive services.

#include "device/drive_services.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace velmaron::testing {

inline void writeFile(const std::filesystem::path& file, std::string_view content = {}) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a directory, sorted; none when it is missing.
inline std::vector<std::string> namesIn(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Creates a symbolic link; false where the system does not allow it (e.g. under wine), so
// that the test can skip itself.
inline bool makeSymlink(const std::filesystem::path& target, const std::filesystem::path& link) {
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        std::filesystem::create_directory_symlink(target, link, ec);
    else
        std::filesystem::create_symlink(target, link, ec);
    return !ec && std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec));
}

// Creates a FIFO, which would block a plain open or read for ever; false where the system
// has none (Windows), so that the test can skip itself.
inline bool makeFifo(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

class TempDrive {
public:
    TempDrive() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("velmaron-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDrive() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The drive root as callers pass it: the folder followed by a separator.
    std::string root() const { return (path_ / "").string(); }

    std::filesystem::path mkdir(const std::filesystem::path& relative) const {
        std::filesystem::create_directories(path_ / relative);
        return path_ / relative;
    }
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view content = {}) const {
        writeFile(path_ / relative, content);
        return path_ / relative;
    }

private:
    std::filesystem::path path_;
};

// Each drive is a folder named by its letter, with an optional <letter>.drive file beside it.
class SimDrives : public TempDrive {
public:
    SimDrives() : services_(MakeSimulatedDriveServices(path().string())) {}

    const std::filesystem::path& folder() const { return path(); }
    DriveServices& services() { return *services_; }

    std::filesystem::path addDrive(char letter, std::string_view properties = {}) {
        if (!properties.empty())
            write(std::string(1, letter) + ".drive", properties);
        return mkdir(std::string(1, letter));
    }

    // A removable drive that carries the marker directory.
    std::filesystem::path addDevice(char letter, std::string_view properties = {}) {
        const auto drive = addDrive(letter, properties);
        std::filesystem::create_directories(drive / "VELMARON" / "CARD");
        return drive;
    }

    std::string root(char letter) const {
        return (folder() / std::string(1, letter)).string() +
               static_cast<char>(std::filesystem::path::preferred_separator);
    }
    // Where a drive without a medium is listed: a root that does not exist.
    std::string noMediumRoot(char letter) const {
        return (folder() / ".no-medium" / std::string(1, letter)).string() +
               static_cast<char>(std::filesystem::path::preferred_separator);
    }

private:
    std::unique_ptr<DriveServices> services_;
};

} // namespace velmaron::testing
