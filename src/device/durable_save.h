#pragma once
// Puts a file into the device's UPDATES directory so that the device never finds a partial one:
// the file is written under a temporary name, flushed to the medium, renamed over the target
// and read back from the medium, all inside the UPDATES directory as it was opened at the start.

#include "device/device_files.h"
#include "device/durable_file.h"

#include <functional>
#include <string>
#include <string_view>

namespace velmaron {

enum class SaveError {
    None,
    UpdatesMissing,    // no UPDATES directory on the drive (or only a link of that name)
    CannotCreate,      // the file cannot be created there
    WriteProtected,    // the device refuses writing
    DeviceGone,        // the drive was gone before anything was written
    PulledWhileSaving, // the drive went away while saving: a complete file may stay on it
    WriteFailed,       // writing, flushing or renaming failed
    ReadBackMismatch,  // the file on the device is not what was written
};

struct SaveResult {
    SaveError error = SaveError::None;
    std::string detail; // the system's own text, for the diagnostic list
    bool ok() const { return error == SaveError::None; }
};

// The platform's file operations, replaceable so that tests can make each step fail.
struct SaveSteps {
    std::function<FileResult(const DeviceDirectory&, const std::string&, std::string_view)>
        writeDurably = WriteFileDurably;
    std::function<FileResult(const DeviceDirectory&, const std::string&, const std::string&)>
        replace = RenameReplacing;
    std::function<FileResult(const DeviceDirectory&)> flushDirectory = FlushDirectory;
    std::function<ReadResult(const DeviceDirectory&, const std::string&)> readBack = ReadFromMedium;
};

// Writes bytes as fileName into UPDATES on the drive, replacing a file of the same name in any
// case. UPDATES is never created. On any failure neither the temporary file nor the target
// stays behind while the drive is there: a failure is never followed by the device taking
// over a configuration the user was told was not saved.
SaveResult SaveUpdateFile(const std::string& driveRoot, const std::string& fileName,
                          std::string_view bytes, const SaveSteps& steps = {});

} // namespace velmaron
