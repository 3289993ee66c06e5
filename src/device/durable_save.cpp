#include "device/durable_save.h"

#include "device/diagnostic_log.h"

#include <filesystem>
#include <system_error>

namespace velmaron {

namespace {

bool driveIsThere(const std::string& driveRoot) {
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(driveRoot), ec);
}

// Leaves nothing of a failed save behind, the complete target included: the user is told
// that the configuration was not saved, so the device must not take one over.
void cleanUp(const DeviceDirectory& updates, const std::string& temp, const std::string& target) {
    updates.Remove(temp);
    updates.Remove(target);
}

SaveResult describe(const std::string& driveRoot, const FileResult& result, SaveError stepError) {
    if (result.fault == FileFault::DeviceGone || !driveIsThere(driveRoot))
        return {SaveError::PulledWhileSaving, result.detail};
    if (result.fault == FileFault::WriteProtected)
        return {SaveError::WriteProtected, result.detail};
    return {stepError, result.detail};
}

SaveError errorOfStep(FileStep step) {
    return step == FileStep::Create ? SaveError::CannotCreate : SaveError::WriteFailed;
}

constexpr std::string_view FileStepNames[] = {"create", "write", "flush", "rename",
                                              "flush directory"};
constexpr std::string_view SaveErrorNames[] = {
    "None",       "UpdatesMissing",    "CannotCreate", "WriteProtected",
    "DeviceGone", "PulledWhileSaving", "WriteFailed",  "ReadBackMismatch"};

// step: where the save stopped, for the diagnostic log.
SaveResult save(const std::string& driveRoot, const std::string& fileName, std::string_view bytes,
                const SaveSteps& steps, std::string_view& step) {
    step = "open UPDATES";
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    if (!updates) {
        if (!driveIsThere(driveRoot))
            return {SaveError::DeviceGone, {}};
        return {SaveError::UpdatesMissing, {}};
    }
    // An existing file in other case is replaced itself, so no second one remains beside it.
    step = "look for the file";
    std::string target = fileName;
    if (const auto existing = updates->Find(fileName, EntryKind::File))
        target = *existing;
    else if (updates->Find(fileName, EntryKind::Directory))
        return {SaveError::CannotCreate, fileName + " is a directory"};

    // Not ending in .hex, so the device never takes a half-written temporary file over.
    const std::string temp = std::filesystem::path(fileName).stem().string() + ".tmp";
    if (const auto left = updates->Find(temp, EntryKind::File))
        updates->Remove(*left); // from an interrupted save

    auto fail = [&](const FileResult& result) {
        step = FileStepNames[static_cast<std::size_t>(result.step)];
        cleanUp(*updates, temp, target);
        return describe(driveRoot, result, errorOfStep(result.step));
    };
    if (FileResult result = steps.writeDurably(*updates, temp, bytes); !result.ok())
        return fail(result);
    if (FileResult result = steps.replace(*updates, temp, target); !result.ok())
        return fail(result);
    if (FileResult result = steps.flushDirectory(*updates); !result.ok())
        return fail(result);

    step = "read back";
    const ReadResult written = steps.readBack(*updates, target);
    if (!written.ok() || written.content != bytes) {
        cleanUp(*updates, temp, target);
        if (!driveIsThere(driveRoot))
            return {SaveError::PulledWhileSaving, {}};
        return {SaveError::ReadBackMismatch, written.ok() ? "content differs" : "cannot be read"};
    }
    return {};
}

} // namespace

SaveResult SaveUpdateFile(const std::string& driveRoot, const std::string& fileName,
                          std::string_view bytes, const SaveSteps& steps) {
    std::string_view step;
    SaveResult result = save(driveRoot, fileName, bytes, steps, step);
    if (!result.ok() && DiagnosticLog::On()) {
        std::string error(SaveErrorNames[static_cast<std::size_t>(result.error)]);
        error.append(" at ").append(step);
        if (!result.detail.empty())
            error.append(": ").append(result.detail);
        DiagnosticLog::Write("SaveUpdateFile " + fileName, driveRoot, error);
    }
    return result;
}

} // namespace velmaron
