#pragma once
// Puts a configuration file onto the device so that the device never finds a partial one:
// the file is written under a temporary name, flushed to the medium, renamed over the target
// and read back.

#include "config/config_file.h"
#include "device/device_files.h"
#include "device/durable_file.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

enum class SaveError {
    None,
    UpdatesMissing,   // no UPDATES directory on the drive (or only a link of that name)
    CannotCreate,     // the file cannot be created there
    WriteProtected,   // the device refuses writing
    DeviceGone,       // the drive went away
    WriteFailed,      // writing, flushing or renaming failed
    ReadBackMismatch, // the file on the device is not what was written
};

struct SaveResult {
    SaveError error = SaveError::None;
    std::string detail; // the system's own text, for the diagnostic list
    bool ok() const { return error == SaveError::None; }
};

// The platform's file operations, replaceable so that tests can make each step fail.
struct SaveSteps {
    std::function<FileResult(const std::filesystem::path&, std::string_view)> writeDurably =
        WriteFileDurably;
    std::function<FileResult(const std::filesystem::path&, const std::filesystem::path&)> replace =
        RenameReplacing;
    std::function<FileResult(const std::filesystem::path&)> flushDirectory = FlushDirectory;
    std::function<std::optional<std::string>(const std::filesystem::path&)> readBack =
        ReadWholeFile;
};

// Writes file into UPDATES on the drive, replacing a file of the same name in any case.
// UPDATES is never created. On any failure the temporary file is removed, and so is the
// target unless it holds exactly the new content.
SaveResult SaveConfigFile(const std::string& driveRoot, const ConfigFile& file,
                          const SaveSteps& steps = {});

} // namespace velmaron
