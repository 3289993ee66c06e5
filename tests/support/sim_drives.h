#pragma once
// Folders that stand in for drives, removed at the end: a bare drive root, and a folder of
// simulated drives seen through the simulated drive services.

#include "device/drive_services.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron::testing {

void writeFile(const std::filesystem::path& file, std::string_view content = {});
std::string readAll(const std::filesystem::path& path);
// Sorted; none when the directory is missing.
std::vector<std::string> namesIn(const std::filesystem::path& directory);
// False where the system allows no link (wine), so that the test can skip itself.
bool makeSymlink(const std::filesystem::path& target, const std::filesystem::path& link);
// A FIFO blocks a plain open for ever; false where there is none (Windows): the test skips.
bool makeFifo(const std::filesystem::path& path);

class TempDrive {
public:
    TempDrive();
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder followed by a separator.
    std::string root() const { return (path_ / "").string(); }

    std::filesystem::path mkdir(const std::filesystem::path& relative) const;
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view content = {}) const;

private:
    std::filesystem::path path_;
};

// Each drive is a folder named by its letter, with an optional <letter>.drive file beside it.
class SimDrives : public TempDrive {
public:
    SimDrives();

    const std::filesystem::path& folder() const { return path(); }
    DriveServices& services() { return *services_; }

    std::filesystem::path addDrive(char letter, std::string_view properties = {});
    std::filesystem::path addDevice(char letter, std::string_view properties = {});

    std::string root(char letter) const;
    // Where a drive without a medium is listed: a root that does not exist.
    std::string noMediumRoot(char letter) const;

private:
    std::unique_ptr<DriveServices> services_;
};

} // namespace velmaron::testing
