#include "support/sim_drives.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <system_error>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace velmaron::testing {

namespace fs = std::filesystem;

constexpr char Separator = static_cast<char>(fs::path::preferred_separator);

void writeFile(const fs::path& file, std::string_view content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool makeSymlink(const fs::path& target, const fs::path& link) {
    std::error_code ec;
    if (fs::is_directory(target, ec))
        fs::create_directory_symlink(target, link, ec);
    else
        fs::create_symlink(target, link, ec);
    return !ec && fs::is_symlink(fs::symlink_status(link, ec));
}

bool makeFifo(const fs::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

TempDrive::TempDrive() {
    std::random_device random;
    path_ = fs::temp_directory_path() /
            ("velmaron-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDrive::~TempDrive() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path TempDrive::mkdir(const fs::path& relative) const {
    fs::create_directories(path_ / relative);
    return path_ / relative;
}

fs::path TempDrive::write(const fs::path& relative, std::string_view content) const {
    writeFile(path_ / relative, content);
    return path_ / relative;
}

SimDrives::SimDrives() : services_(MakeSimulatedDriveServices(path().string())) {}

fs::path SimDrives::addDrive(char letter, std::string_view properties) {
    if (!properties.empty())
        write(std::string(1, letter) + ".drive", properties);
    return mkdir(std::string(1, letter));
}

fs::path SimDrives::addDevice(char letter, std::string_view properties) {
    const auto drive = addDrive(letter, properties);
    fs::create_directories(drive / "VELMARON" / "CARD");
    return drive;
}

std::string SimDrives::root(char letter) const {
    return (folder() / std::string(1, letter)).string() + Separator;
}

std::string SimDrives::noMediumRoot(char letter) const {
    return (folder() / ".no-medium" / std::string(1, letter)).string() + Separator;
}

} // namespace velmaron::testing
