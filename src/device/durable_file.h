#pragma once
// The few file operations on the device whose safety depends on the platform: writing a file
// so that it has reached the medium before the user pulls the cable, replacing one file by
// another in one step, committing a directory's entries, and reading a file as the medium
// holds it. All of them work inside a directory opened on the device, so a link swapped in
// for it cannot lead them elsewhere.

#include "device/device_files.h"

#include <string>
#include <string_view>

namespace velmaron {

// What went wrong, as far as the user needs to know.
enum class FileFault {
    None,
    WriteProtected, // the medium or the file refuses writing
    DeviceGone,     // the drive went away under the operation
    Failed,         // anything else
};

// The step at which an operation stopped.
enum class FileStep { Create, Write, Flush, Rename, FlushDirectory };

struct FileResult {
    FileFault fault = FileFault::None;
    FileStep step = FileStep::Create;
    std::string detail; // the system's own error text
    bool ok() const { return fault == FileFault::None; }
};

// Creates the new file name in directory (failing if anything is there already; a link is
// not followed), writes all bytes and flushes them to the medium before closing. On a failure
// after the creation the partly written file is left for the caller to remove.
FileResult WriteFileDurably(const DeviceDirectory& directory, const std::string& name,
                            std::string_view bytes);

// Renames from to to within directory in one step, replacing a file at to.
FileResult RenameReplacing(const DeviceDirectory& directory, const std::string& from,
                           const std::string& to);

// Commits the directory's entries (a new name) to the medium where the platform allows;
// where it does not, this does nothing and succeeds.
FileResult FlushDirectory(const DeviceDirectory& directory);

// Reads the regular file name in directory (a link is not followed) as the medium holds it,
// not as the system keeps it in memory: a stick that acknowledged a write and dropped it
// shows here what it really kept. At most MaxReadBytes, as DeviceDirectory::Read.
ReadResult ReadFromMedium(const DeviceDirectory& directory, const std::string& name);

} // namespace velmaron
