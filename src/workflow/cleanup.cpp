#include "workflow/cleanup.h"

#include "device/device_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

bool hasHexExtension(const fs::path& file) {
    const std::string name = file.filename().string();
    constexpr std::string_view extension = ".hex";
    return name.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(),
                      name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char wanted, char c) {
                          return wanted == std::tolower(static_cast<unsigned char>(c));
                      });
}

// Deletes a file that the safe access has found. remove() deletes a link itself, never its
// target, should the file have been replaced by one in the meantime. A read-only file (the
// device's file system keeps that attribute) is made writable first.
void removeFile(const fs::path& file) {
    std::error_code error;
    if (fs::remove(file, error) || !error) {
        return;
    }
    if (fs::symlink_status(file, error).type() != fs::file_type::regular) {
        return;
    }
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove(file, error);
}

} // namespace

void RemoveStaleUpdateFiles(const std::string& driveRoot) noexcept {
    try {
        for (const auto& file : ListDeviceFiles(driveRoot, "UPDATES")) {
            if (hasHexExtension(file)) {
                removeFile(file);
            }
        }
    } catch (...) {
        // Nothing to report: the configure command carries on without the clean-up.
    }
}

void RemoveConfigFile(const std::string& driveRoot) noexcept {
    try {
        if (const auto file = FindOnDevice(driveRoot, "UPDATES\\QX999000.HEX", EntryKind::File)) {
            removeFile(*file);
        }
    } catch (...) {
        // The success has already been shown; a file left behind is removed by the next
        // configuration run.
    }
}

} // namespace velmaron
