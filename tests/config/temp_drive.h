#pragma once
// A fresh, empty folder that stands in for a device's drive root, removed again at the end
// of the test.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace velmaron::testing {

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
                                std::string_view content) const {
        std::filesystem::create_directories((path_ / relative).parent_path());
        std::ofstream out(path_ / relative, std::ios::binary);
        out << content;
        return path_ / relative;
    }

private:
    std::filesystem::path path_;
};

// Creates a symbolic link; false where the system does not allow it (e.g. under wine),
// so that the test can skip itself.
inline bool makeSymlink(const std::filesystem::path& target, const std::filesystem::path& link) {
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        std::filesystem::create_directory_symlink(target, link, ec);
    else
        std::filesystem::create_symlink(target, link, ec);
    return !ec && std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec));
}

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace velmaron::testing
