#include "config/save_config_file.h"

#include <system_error>

namespace velmaron {
namespace fs = std::filesystem;

namespace {

bool driveIsThere(const std::string& driveRoot) {
    std::error_code ec;
    return fs::is_directory(fs::path(driveRoot), ec);
}

// Leaves nothing of a failed save behind: no temporary file, and no target that differs
// from what was meant to be written.
void cleanUp(const fs::path& temp, const std::string& driveRoot, const std::string& targetName,
             const std::string& bytes, const SaveSteps& steps) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    if (const auto target = FindOnDevice(driveRoot, targetName, EntryKind::File))
        if (steps.readBack(*target) != bytes)
            fs::remove(*target, ignored);
}

SaveResult describe(const std::string& driveRoot, const FileResult& result, SaveError stepError) {
    if (result.fault == FileFault::WriteProtected)
        return {SaveError::WriteProtected, result.detail};
    if (result.fault == FileFault::DeviceGone || !driveIsThere(driveRoot))
        return {SaveError::DeviceGone, result.detail};
    return {stepError, result.detail};
}

SaveError errorOfStep(FileStep step) {
    return step == FileStep::Create ? SaveError::CannotCreate : SaveError::WriteFailed;
}

} // namespace

SaveResult SaveConfigFile(const std::string& driveRoot, const ConfigFile& file,
                          const SaveSteps& steps) {
    const auto updates = FindOnDevice(driveRoot, "UPDATES", EntryKind::Directory);
    if (!updates) {
        if (!driveIsThere(driveRoot))
            return {SaveError::DeviceGone, {}};
        return {SaveError::UpdatesMissing, {}};
    }
    const std::string targetName = "UPDATES\\" + file.fileName;
    // An existing file in other case is replaced itself, so no second one remains beside it.
    fs::path target = *updates / file.fileName;
    if (const auto existing = FindOnDevice(driveRoot, targetName, EntryKind::File))
        target = *existing;
    else if (FindOnDevice(driveRoot, targetName, EntryKind::Directory))
        return {SaveError::CannotCreate, file.fileName + " is a directory"};

    // Not ending in .hex, so the device never takes a half-written temporary file over.
    const fs::path temp = *updates / fs::path(file.fileName).replace_extension(".tmp");
    std::error_code ignored;
    fs::remove(temp, ignored); // left over from an interrupted save

    const std::string bytes = ConfigFileBytes(file);
    auto fail = [&](const FileResult& result) {
        cleanUp(temp, driveRoot, targetName, bytes, steps);
        return describe(driveRoot, result, errorOfStep(result.step));
    };
    if (FileResult result = steps.writeDurably(temp, bytes); !result.ok())
        return fail(result);
    if (FileResult result = steps.replace(temp, target); !result.ok())
        return fail(result);
    if (FileResult result = steps.flushDirectory(*updates); !result.ok())
        return fail(result);

    const auto written = steps.readBack(target);
    if (written != bytes) {
        cleanUp(temp, driveRoot, targetName, bytes, steps);
        if (!driveIsThere(driveRoot))
            return {SaveError::DeviceGone, {}};
        return {SaveError::ReadBackMismatch, written ? "content differs" : "cannot be read"};
    }
    return {};
}

} // namespace velmaron
